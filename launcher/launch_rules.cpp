#include "launcher/launch_rules.h"

#include <cctype>
#include <climits>

#include "launcher/launch_settings.h"
#include "launcher/option_table.h"
#include "params/parameter_settings.h"
#include "platform/medium_layout.h"

const char* ProductTitle(const LaunchSettings& launch) {
  return launch.prereq_checker ? "Prerequisite Checker" : "Tavrun Installer";
}

int ParseBootstrapSize(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

bool ShouldWaitForInstaller(const LaunchSettings& launch, const ParameterSettings& params) {
  bool waits = !IsFlagOn(params.bootstrap) || IsFlagOn(params.wait_for_completion);
  for (std::size_t r = 0; r < kOptionCount; ++r) {
    waits = waits || (kOptionTable[r].waits && IsOptionSet(kOptionTable[r], launch));
  }
  return waits;
}

std::string BootstrapMessage(bool bootstrap_only, const std::string& bootstrap_msg,
                             const std::string& bootstrap_only_msg, const std::string& wait_msg,
                             const std::string& scratch_path) {
  if (bootstrap_only) return bootstrap_only_msg + "  " + wait_msg;
  return bootstrap_msg + " " + scratch_path + ". " + wait_msg;
}

bool IsRemovableScratchPath(const std::string& path, bool made_by_this_launch) {
  if (made_by_this_launch) return true;
  std::string name = path;
  while (!name.empty() && name.back() == '\\') name.pop_back();
  std::size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  return IsScratchDirectoryName(name);
}
