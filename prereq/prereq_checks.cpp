#include "prereq/prereq_checks.h"

#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "params/section_reader.h"
#include "platform/input_line.h"
#include "platform/system_calls.h"
#include "platform/system_text.h"
#include "platform/text_buffer.h"
#include "prereq/prereq_rules.h"

namespace {

constexpr const char* kCertifiedVersions = kCertifiedVersionsSection;
constexpr const char* kGenericSection = kGenericPrereqsSection;

std::string VersionText(const OsVersion& version) {
  return std::to_string(version.major) + "." + std::to_string(version.minor);
}

std::string CertifiedValue(const PrereqPassState& state, const char* key) {
  return ReadSectionValueFromFile(state.param_file, kCertifiedVersions, key, "");
}

// `key` of a platform section; a section without a name (not certified yet) has none.
std::string PlatformValue(const PrereqPassState& state, const std::string& section,
                          const char* key) {
  if (section.empty()) return std::string();
  return ReadSectionValueFromFile(state.param_file, section, key, "");
}

// A check's failure message, from the required section, else the optional one.
std::string GetFailureMessage(const PrereqPassState& state, const char* key) {
  std::string message = PlatformValue(state, state.required_section, key);
  if (message.empty()) message = PlatformValue(state, state.optional_section, key);
  return message;
}

// One line of standard input (at most 1023 characters); null when the input has ended.
const char* ReadAnswerLine(char (&answer)[kTextBufferSize]) {
  answer[0] = '\0';
  return ReadInputLine(answer, sizeof answer);
}

// Asks whether to go on although the system is not certified: true for yes.
bool UserAcceptsUncertifiedSystem() {
  char answer[kTextBufferSize];
  for (;;) {
    ShowAndLog("\nDo you want to continue? (y/n) [n]: ");
    switch (ClassifyAnswer(ReadAnswerLine(answer))) {
      case Answer::kYes:
        ShowAndLog(
            "The user has verified that the product can be installed on this platform. "
            "Continuing with the install...\n");
        return true;
      case Answer::kNo:
        ShowAndLog(
            "The user has verified that the product cannot be installed on this platform. "
            "Quitting the install...\n");
        return false;
      case Answer::kAgain:
        break;
    }
  }
}

// The end of a launch on an uncertified system.
int RefuseUncertifiedSystem() {
  ShowAndLogMessage(msg::S_EXIT_MSG, g_installer_log.path.c_str());
  if (!g_run_flags.silent && !g_run_flags.no_console) {
    ShowAndLogMessage(msg::S_EXIT_CONTINUE);
    g_system.read_input_char();
  }
  return kPassEndsLaunch;
}

// The certified-version step. kPassPassed to go on with the required section (its names
// are then set), or the pass's result.
int CheckCertifiedVersion(const PrereqMachine& machine, PrereqPassState* state,
                          bool* read_section) {
  std::string list =
      machine.read_profile_value(state->param_file, kCertifiedVersions, kCertifiedWindowsKey);
  if (list.empty()) {
    ShowAndLogMessage(msg::S_NO_PREQ_RUN);
    return kPassNoCertifiedList;
  }
  ShowAndLogMessage(msg::S_CHECKING_REQ_PREREQ);
  std::string failure_message = CertifiedValue(*state, kCertifiedFailureMessageKey);
  std::string version = VersionText(machine.os_version());
  ShowAndLogMessage(msg::S_CHECKING_FOR_OS_VERSION);
  ShowAndLogSystemText(FormatVersionList(list));
  ShowAndLogMessage(msg::S_ACTUAL, version.c_str());
  if (ListContains(list, version)) {
    ShowAndLogMessage(msg::S_SPASSED_ON_NEWLINE);
    state->required_section = kPlatformSectionPrefix + version + "-required";
    state->optional_section = kPlatformSectionPrefix + version + "-optional";
    *read_section = true;
    return kPassPassed;
  }
  ShowAndLogMessage(msg::S_SFAILED_ON_NEWLINE);
  if (!failure_message.empty()) {
    ShowAndLog("\n\n");
    ShowAndLogSystemText(failure_message);
  }
  if (state->ignore) return kPassFailed;
  if (CertifiedValue(*state, kCertifiedWarnKey) != "TRUE") {
    return RefuseUncertifiedSystem();
  }
  std::string location = CertifiedValue(*state, kCertifiedLocationKey);
  ConsolePrint("\n\n");
  ShowAndLog(location.empty()
                 ? "\nThe version of this operating system is not certified.\n"
                 : ("\nThe version of this operating system is not certified.Check '" +
                    SystemTextToUtf8(location.c_str()) + "' for a list of certified versions.\n")
                       .c_str());
  if (g_run_flags.silent || g_run_flags.no_console || !UserAcceptsUncertifiedSystem()) {
    return RefuseUncertifiedSystem();
  }
  return kPassPassed;  // the user's word stands for the platform requirements
}

// A check's verdict: failed ones mark the pass and add their message.
void Judge(PrereqPassState* state, Verdict verdict, const std::string& failure_message,
           bool* failed) {
  if (verdict == Verdict::kNone) return;
  if (verdict == Verdict::kPassed) {
    ShowAndLogMessage(msg::S_SPASSED);
    return;
  }
  *failed = true;
  AppendFailureMessage(&state->failure_text, failure_message);
  ShowAndLogMessage(msg::S_SFAILED);
}

Verdict CheckServicePack(const PrereqMachine& machine, const std::string& requirement) {
  ShowAndLogMessage(msg::S_CHECKING_FOR_SERVICE_PACK);
  ShowAndLogSystemText(FormatVersionList(requirement));
  OsVersion os = machine.os_version();
  if (os.service_pack.empty()) {
    ShowAndLogMessage(msg::S_ACTUAL, "none");
    return Verdict::kFailed;
  }
  std::string actual = os.service_pack;
  if (os.major == 4 && actual == "Service Pack 6" && machine.has_q246009_hotfix()) actual += "a";
  ShowAndLogMessage(msg::S_ACTUAL, actual.c_str());
  std::string number = ServicePackNumber(actual);
  if (number.empty()) return Verdict::kFailed;
  return ServicePackAccepted(requirement, number) ? Verdict::kPassed : Verdict::kFailed;
}

Verdict CheckDisplayColours(const PrereqMachine& machine, const std::string& requirement) {
  ShowAndLogMessage(msg::S_CHECKING_FOR_DISP_COL, requirement.c_str());
  int bits = machine.display_bits_per_pixel();
  ShowAndLogMessage(msg::S_HIGHER_THAN, requirement.c_str());
  ShowAndLogMessage(msg::S_ACTUAL, ColourCountText(bits).c_str());
  return CheckColours(requirement, bits);
}

Verdict CheckProcessor(const PrereqMachine& machine, const std::string& requirement) {
  ShowAndLogMessage(msg::S_CHECKING_FOR_CPU, requirement.c_str());
  int clock = machine.processor_clock_mhz();
  ShowAndLogMessage(msg::S_ACTUAL_CPU, clock);
  return CheckClock(requirement, clock);
}

// One entry of the section; only known keys in their passes are checked.
void CheckEntry(const PrereqMachine& machine, PrereqPassState* state, bool first_pass,
                const std::string& key, const std::string& value, bool* failed) {
  const PrereqCheckInfo* check = FindPrereqCheck(key);
  if (check == nullptr || (check->first_pass_only && !first_pass)) return;
  // A silent run has no display to judge.
  if (check->check == PrereqCheck::kDisplayColours && g_run_flags.silent) return;
  std::string message = GetFailureMessage(*state, check->failure_message_key);
  switch (check->check) {
    case PrereqCheck::kServicePack:
      Judge(state, CheckServicePack(machine, value), message, failed);
      break;
    case PrereqCheck::kDisplayColours:
      Judge(state, CheckDisplayColours(machine, value), message, failed);
      break;
    case PrereqCheck::kProcessor:
      Judge(state, CheckProcessor(machine, value), message, failed);
      break;
    case PrereqCheck::kSwapSpace:
      // The swap check shows its own verdict.
      if (machine.check_swap_space(value)) {
        *failed = true;
        AppendFailureMessage(&state->failure_text, message);
      }
      break;
  }
}

}  // namespace

int CheckPrereqPass(PrereqPassState* state, bool required_category, bool first_pass,
                    const PrereqMachine& machine) {
  if (!first_pass && required_category) {
    bool read_section = false;
    int result = CheckCertifiedVersion(machine, state, &read_section);
    if (!read_section) return result;
  }
  state->generic_section = kGenericSection;
  std::string bytes;
  if (!LoadSectionFile(state->param_file, &bytes)) return kPassPassed;
  const std::string& section = first_pass          ? state->generic_section
                               : required_category ? state->required_section
                                                   : state->optional_section;
  SectionFile file(std::move(bytes));
  if (section.empty() || SeekSection(&file, section) != 0) return kPassPassed;
  bool failed = false;
  std::string key, value;
  while (NextSectionEntry(&file, &key, &value) == 0) {
    if (!value.empty()) CheckEntry(machine, state, first_pass, key, value, &failed);
  }
  return failed ? kPassFailed : kPassPassed;
}
