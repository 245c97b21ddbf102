// The system prerequisite run: the checks written in the parameter file, before any
// component is staged.
#ifndef PREREQ_PREREQ_RUN_H_
#define PREREQ_PREREQ_RUN_H_

#include <string>

struct PrereqRunRequest {
  std::string param_file;
  std::string log_directory;  // where the log goes when nothing else is known
  std::string timestamp;
  std::string log_prefix;
  bool silent = false;
  bool execute_only = false;  // -EXECUTESYSPREREQS
  bool ignore = false;        // -IGNORESYSPREREQS
  bool no_console = false;
  bool platform_checks = false;  // PLATFORM_PREREQS begins with T
};

// Runs the prerequisite passes. Returns when the launch may go on; a failure the user
// does not accept ends the process with -1.
void RunSystemPrereqs(const PrereqRunRequest& request);

#endif  // PREREQ_PREREQ_RUN_H_
