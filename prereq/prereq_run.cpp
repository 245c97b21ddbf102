#include "prereq/prereq_run.h"

#include <cstring>

#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "platform/input_line.h"
#include "platform/system_calls.h"
#include "platform/text_buffer.h"
#include "prereq/prereq_checks.h"
#include "prereq/prereq_rules.h"

namespace {

constexpr int kGoOn = 0;
constexpr int kEndLaunch = -1;

// The passes, in order: generic, required platform, optional platform.
struct Pass {
  bool first;
  bool required;
};
constexpr Pass kPasses[] = {{true, true}, {false, true}, {false, false}};

// Whether the failure text reports missing patches: it holds the S_FAILED_PATCHES_1
// text (a missing or empty text is never held).
bool ReportsMissingPatches(const std::string& failure_text) {
  const char* patches = LocalMessage(msg::S_FAILED_PATCHES_1);
  if (*patches == '\0' || std::strcmp(patches, msg::S_FAILED_PATCHES_1.name) == 0) return false;
  return failure_text.find(patches) != std::string::npos;
}

void ShowIgnoreNotice(const PrereqPassState& state, bool required) {
  if (required) {
    ShowAndLogMessage(msg::S_IGNORE_REQ_SYS_PREREQ);
  } else if (ReportsMissingPatches(state.failure_text)) {
    ShowAndLogMessage(msg::S_IGNORE_PATCH_SYS_PREREQ);
  } else {
    ShowAndLogMessage(msg::S_IGNORE_OPT_SYS_PREREQ);
  }
}

int EndWithExitMessage() {
  ShowAndLogMessage(msg::S_EXIT_MSG, g_installer_log.path.c_str());
  return kEndLaunch;
}

// -EXECUTESYSPREREQS: the generic pass's failures, then the end.
int EndAfterExecutingOnly(const PrereqPassState& state) {
  ShowAndLogSystemText(state.failure_text);
  ShowAndLogMessage(msg::S_EXIT_MSG, g_installer_log.path.c_str());
  if (!g_run_flags.silent && !g_run_flags.no_console) {
    ConsolePrint(LocalMessage(msg::S_EXIT_CONTINUE));
    g_system.read_input_char();
  }
  return kEndLaunch;
}

// A failed pass: reported, then the user decides, or the launch ends.
int HandleFailure(const PrereqPassState& state, bool required) {
  if (!state.failure_text.empty()) ShowAndLogSystemText(state.failure_text);
  if (required) {
    ShowAndLogMessage(msg::S_FAILED_PRE_REQ_1);
    ShowAndLogMessage(msg::S_FAILED_PRE_REQ_2);
    ConsolePrint("\n\n");
  } else if (state.failure_text.empty()) {
    ShowAndLogMessage(msg::S_FAILED_OPTIONAL);
  }
  if (g_run_flags.silent || g_run_flags.no_console) return EndWithExitMessage();
  char answer[kTextBufferSize];
  for (;;) {
    ShowAndLogMessage(msg::S_CONTINUE);
    answer[0] = '\0';
    switch (ClassifyAnswer(ReadInputLine(answer, sizeof answer))) {
      case Answer::kYes:
        ShowAndLogMessage(msg::S_CONTINUE_YES);
        if (required) ShowAndLogMessage(msg::S_IGNORE_REQ_SYS_PREREQ);
        return kGoOn;  // the remaining passes are skipped
      case Answer::kNo:
        ShowAndLogMessage(msg::S_CONTINUE_NO);
        return EndWithExitMessage();
      case Answer::kAgain:
        break;
    }
  }
}

}  // namespace

int RunSystemPrereqs(const PrereqRunRequest& request, PrereqPassCheck check_pass) {
  PrereqPassState state;
  state.param_file = request.param_file;
  state.ignore = request.ignore;

  for (int index = 0; index < 3; ++index) {
    const Pass& pass = kPasses[index];
    state.failure_text.clear();
    int result = check_pass(&state, pass.required, pass.first);
    if (result == kPassEndsLaunch) return kEndLaunch;
    if (request.ignore) {
      if (result != kPassPassed) ShowIgnoreNotice(state, pass.required);
      if (request.execute_only) return EndAfterExecutingOnly(state);
    } else if (request.execute_only) {
      return EndAfterExecutingOnly(state);
    } else if (result == kPassFailed) {
      return HandleFailure(state, pass.required);
    }
    if (index == 0 && !request.platform_checks) break;
    if (index == 1 && result == kPassPassed) ShowAndLogMessage(msg::S_PRE_REQREQ_PASSED);
  }
  ShowAndLog("\n");
  return kGoOn;
}
