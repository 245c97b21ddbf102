// One pass of the prerequisite run: the certified-version step (in the required platform
// pass) and the requirements of one section of velparam.ini.
//
// The generic pass reads "Generic Prereqs" (service pack, display colours, processor
// clock, swap space); the required and optional platform passes read
// "Windows-<major>.<minor>-required" and "...-optional" (service pack and processor
// clock), whose names the certified-version step sets once the system is certified.
// Each check is shown on the console and in the installer log; the failure messages of
// failed checks (from the platform sections) are gathered in the failure text.
#ifndef PREREQ_PREREQ_CHECKS_H_
#define PREREQ_PREREQ_CHECKS_H_

#include <string>

#include "prereq/system_info.h"

// A pass passed, failed, or found no certified-version list (the platform checks ran not).
constexpr int kPassPassed = 0;
constexpr int kPassFailed = 1;
constexpr int kPassNoCertifiedList = 3;
// The user, or the lack of CERTIFIED_VERSION_WARN, refused an uncertified system: the
// installer log is closed, and the launch ends with -1.
constexpr int kPassEndsLaunch = -1;

// The run's state that the passes share.
struct PrereqPassState {
  std::string param_file;
  bool ignore = false;
  // Set by the certified-version step; empty before it (and when it was skipped).
  std::string required_section;
  std::string optional_section;
  std::string generic_section;
  // The failure messages of this pass; the caller empties it before each pass.
  std::string failure_text;
};

// What a pass reads of the machine (prereq/system_info.h and prereq/swap_space.h on
// Windows).
struct PrereqMachine {
  // The profile reader's value of `key` in `section` of `file`; empty when missing.
  std::string (*read_profile_value)(const std::string& file, const char* section, const char* key);
  OsVersion (*os_version)();
  bool (*has_q246009_hotfix)();
  int (*display_bits_per_pixel)();
  int (*processor_clock_mhz)();
  // CheckSwapSpace: shows its own outcome; true when the requirement failed.
  bool (*check_swap_space)(const std::string& requirement);
};

// Runs one pass on `machine`: the generic one (`first_pass`), the required platform one
// (`required_category`), or the optional one (neither). Returns a kPass... value.
int CheckPrereqPass(PrereqPassState* state, bool required_category, bool first_pass,
                    const PrereqMachine& machine);

// The same on this machine.
int CheckPrereqPass(PrereqPassState* state, bool required_category, bool first_pass);

#endif  // PREREQ_PREREQ_CHECKS_H_
