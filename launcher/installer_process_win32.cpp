#include "launcher/installer_process.h"

#include "launcher/options.h"
#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "platform/child_process.h"
#include "platform/scoped_handle_win32.h"
#include "platform/system_text.h"
#include "platform/windows_prelude.h"
#include "staging/held_item_retry_win32.h"

namespace {

constexpr char kHyphenLine[] = "-------------------------------------------------------\n";

void EchoElements(const std::vector<std::string>& elements) {
  ConsolePrint(kHyphenLine);
  ConsolePrint(LocalText(msg::S_TOTAL_ARGS, static_cast<int>(elements.size())).c_str());
  ConsolePrint(LocalText(msg::S_CMDLINE_ARG_ELTS).c_str());
  for (std::size_t i = 0; i < elements.size(); ++i) {
    // Concatenated, not formatted: the class path alone may pass the formatting limit.
    ConsolePrint(
        ("Arg:" + std::to_string(i) + ":" + SystemTextToUtf8(elements[i].c_str()) + ":\n").c_str());
  }
  ConsolePrint(kHyphenLine);
}

void AppendElementsToLog(const std::vector<std::string>& elements) {
  WriteLog("\n");
  WriteLog(BaseText(msg::S_TOTAL_ARGS, static_cast<int>(elements.size())).c_str());
  WriteLog(BaseText(msg::S_CMDLINE_ARG_ELTS).c_str());
  for (const std::string& element : elements) {
    WriteLog(element.c_str());
    WriteLog("\n");
  }
  WriteLog("\n");
}

// The wait cannot go on: the child may still run, so its status is whatever it is now.
void ReportFailedWait() {
  ShowError(
      LocalText(msg::S_ERGOSLST, "MsgWaitForMultipleObjects()", static_cast<int>(GetLastError()))
          .c_str());
}

}  // namespace

int RunInstallerProcess(const std::string& program, const std::vector<std::string>& elements,
                        bool wait, bool* still_running) {
  if (still_running != nullptr) *still_running = false;
  if (g_run_flags.debug) EchoElements(elements);
  std::string command = JoinArguments(elements);
  if (g_run_flags.debug && !elements.empty()) {
    ConsolePrint(LocalText(msg::S_JVMLOADMSG, elements[0].c_str()).c_str());
    ConsolePrint("\n");
  }

  void* child = nullptr;
  // A program staged a moment ago may still be held by a scanner.
  HeldItemRetry retry;
  DWORD error;
  while ((error = StartChild(program, command, SW_SHOWNORMAL, ChildProgram::kJava, &child)) != 0 &&
         retry.ShouldRetry(program, error)) {
  }
  if (error != 0) {
    ShowError(LocalText(msg::S_ERGOSLST, "CreateTAVProcess()", static_cast<int>(error)).c_str());
    WaitForEnter();
    return static_cast<int>(error);
  }
  ScopedHandle process(child);
  if (g_run_flags.debug) AppendElementsToLog(elements);

  bool ended = false;
  if (wait) {
    ended = WaitForChild(process.get()) == 0;
    if (!ended) ReportFailedWait();
  }
  if (still_running != nullptr) *still_running = !ended;
  DWORD status = static_cast<DWORD>(-1);
  if (!GetExitCodeProcess(process.get(), &status)) status = GetLastError();
  return static_cast<int>(status);
}
