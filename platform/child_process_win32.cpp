#include "platform/child_process.h"

#include "platform/windows_prelude.h"

namespace {

// Takes every message waiting in the queue; a WM_QUIT is dropped, not acted on.
void DrainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

unsigned long StartChild(const std::string& program, const std::string& command, int show_window,
                         void** process) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_window);
  PROCESS_INFORMATION info = {};
  std::string text = command;  // CreateProcess may write into its command text
  if (!CreateProcessA(program.c_str(), &text[0], nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP,
                      nullptr, nullptr, &startup, &info)) {
    return GetLastError();
  }
  CloseHandle(info.hThread);
  *process = info.hProcess;
  return 0;
}

int WaitForChild(void* process) {
  HANDLE handle = static_cast<HANDLE>(process);
  for (;;) {
    DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) return 0;
    if (result == WAIT_OBJECT_0 + 1) {
      DrainMessages();
    } else if (result == WAIT_FAILED) {
      return -1;  // the handle cannot be waited on: retrying would spin for ever
    }
  }
}
