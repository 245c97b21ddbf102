// The system prerequisite run: the checks written in the parameter file, before any
// component is staged.
//
// Up to three passes (prereq/prereq_checks.h): the generic one always, then, with
// PLATFORM_PREREQS, the required and the optional platform passes. After each pass:
// -IGNORESYSPREREQS shows a notice for a pass that did not pass and goes on;
// -EXECUTESYSPREREQS ends the launch after the generic pass, whatever its result; a
// failure is reported and, interactively, the user may choose to go on. Everything
// shown goes to the console in the user's language and to the installer log in the
// base one.
#ifndef PREREQ_PREREQ_RUN_H_
#define PREREQ_PREREQ_RUN_H_

#include <string>

#include "prereq/prereq_checks.h"

struct PrereqRunRequest {
  std::string param_file;
  bool execute_only = false;     // -EXECUTESYSPREREQS
  bool ignore = false;           // -IGNORESYSPREREQS
  bool platform_checks = false;  // PLATFORM_PREREQS begins with T
};

// One pass's checks: CheckPrereqPass, or a test's stand-in.
using PrereqPassCheck = int (*)(PrereqPassState* state, bool required_category, bool first_pass);

// Runs the prerequisite passes through `check_pass`. 0 when the launch may go on; -1
// when it ends here (a failure not accepted, a refused system, or
// -EXECUTESYSPREREQS), after S_EXIT_MSG. The installer log is closed either way.
int RunSystemPrereqs(const PrereqRunRequest& request, PrereqPassCheck check_pass);

#endif  // PREREQ_PREREQ_RUN_H_
