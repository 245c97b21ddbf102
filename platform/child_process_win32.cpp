#include "platform/child_process.h"

#include "platform/system_procedure_win32.h"
#include "platform/windows_prelude.h"

namespace {

// The window system's calls of the wait, present once user32.dll is loaded.
struct MessageCalls {
  DWORD(WINAPI* wait)(DWORD, const HANDLE*, BOOL, DWORD, DWORD) = nullptr;
  BOOL(WINAPI* peek)(MSG*, HWND, UINT, UINT, UINT) = nullptr;
  BOOL(WINAPI* translate)(const MSG*) = nullptr;
  LRESULT(WINAPI* dispatch)(const MSG*) = nullptr;
};

bool LoadMessageCalls(MessageCalls* calls) {
  calls->wait = SystemProcedure<decltype(calls->wait)>("user32.dll", "MsgWaitForMultipleObjects");
  calls->peek = SystemProcedure<decltype(calls->peek)>("user32.dll", "PeekMessageA");
  calls->translate = SystemProcedure<decltype(calls->translate)>("user32.dll", "TranslateMessage");
  calls->dispatch = SystemProcedure<decltype(calls->dispatch)>("user32.dll", "DispatchMessageA");
  return calls->wait != nullptr && calls->peek != nullptr && calls->translate != nullptr &&
         calls->dispatch != nullptr;
}

// Takes every message waiting in the queue; a WM_QUIT is dropped, not acted on.
void DrainMessages(const MessageCalls& calls) {
  MSG message;
  while (calls.peek(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return;
    calls.translate(&message);
    calls.dispatch(&message);
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
  MessageCalls calls;
  // Without user32 loaded the launcher has no window and no message queue: nothing can
  // be sent to it, and a plain wait is the same wait.
  if (GetModuleHandleA("user32.dll") == nullptr || !LoadMessageCalls(&calls)) {
    return WaitForSingleObject(handle, INFINITE) == WAIT_OBJECT_0 ? 0 : -1;
  }
  for (;;) {
    DWORD result = calls.wait(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) return 0;
    if (result == WAIT_OBJECT_0 + 1) {
      DrainMessages(calls);
    } else if (result == WAIT_FAILED) {
      return -1;  // the handle cannot be waited on: retrying would spin for ever
    }
  }
}
