#include "platform/child_process.h"

#include <vector>

#include "platform/environment_block.h"
#include "platform/process_token.h"
#include "platform/system_environment_win32.h"
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

namespace {

// The standard handles the child may inherit: real handles marked inheritable, each once.
// Console handles of Windows before 8 are no kernel handles (their low bits are 3) and
// reach a console child without inheritance.
std::vector<HANDLE> InheritableStandardHandles() {
  std::vector<HANDLE> handles;
  for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
    HANDLE handle = GetStdHandle(which);
    DWORD flags = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
        (reinterpret_cast<ULONG_PTR>(handle) & 3) == 3 || !GetHandleInformation(handle, &flags) ||
        (flags & HANDLE_FLAG_INHERIT) == 0) {
      continue;
    }
    bool listed = false;
    for (HANDLE other : handles) listed = listed || other == handle;
    if (!listed) handles.push_back(handle);
  }
  return handles;
}

// A process attribute list naming the handles the child inherits, and nothing else.
class HandleListAttribute {
 public:
  explicit HandleListAttribute(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
    if (handles_.empty()) return;
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    buffer_.resize(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer_.data());
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                   handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
      DeleteProcThreadAttributeList(list);
      return;
    }
    list_ = list;
  }
  HandleListAttribute(const HandleListAttribute&) = delete;
  HandleListAttribute& operator=(const HandleListAttribute&) = delete;
  ~HandleListAttribute() {
    if (list_ != nullptr) DeleteProcThreadAttributeList(list_);
  }
  // Null when there is nothing to inherit (or the system cannot list it).
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

 private:
  std::vector<HANDLE> handles_;
  std::vector<unsigned char> buffer_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

}  // namespace

unsigned long StartChild(const std::string& program, const std::string& command, int show_window,
                         ChildProgram kind, void** process) {
  bool elevated = HasAdministrators();
  std::wstring environment = EnvironmentBlockOf(ChildEnvironment(
      ProcessEnvironment(), kind, elevated, elevated ? MachinePath() : std::string()));
  HandleListAttribute inherited(InheritableStandardHandles());
  STARTUPINFOEXA startup = {};
  // The extended form only with the list it carries.
  startup.StartupInfo.cb = inherited.get() != nullptr ? sizeof startup : sizeof startup.StartupInfo;
  startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
  startup.StartupInfo.wShowWindow = static_cast<WORD>(show_window);
  startup.lpAttributeList = inherited.get();
  DWORD flags = CREATE_NEW_PROCESS_GROUP | CREATE_UNICODE_ENVIRONMENT |
                (inherited.get() != nullptr ? EXTENDED_STARTUPINFO_PRESENT : 0);
  PROCESS_INFORMATION info = {};
  std::string text = command;  // CreateProcess may write into its command text
  if (!CreateProcessA(program.c_str(), &text[0], nullptr, nullptr, inherited.get() != nullptr,
                      flags, &environment[0], nullptr, &startup.StartupInfo, &info)) {
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
