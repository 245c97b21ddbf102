// The launcher's main routine: its result is the process exit code.
#ifndef LAUNCHER_LAUNCH_SEQUENCE_H_
#define LAUNCHER_LAUNCH_SEQUENCE_H_

#include <string>
#include <vector>

// Runs one launch for the argument vector {module path, raw command line}.
// Returns 1 when no message catalogue can be read.
int RunLaunchSequence(std::vector<std::string>* arguments);

#endif  // LAUNCHER_LAUNCH_SEQUENCE_H_
