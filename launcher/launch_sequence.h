// The launcher's main routine: its result is the process exit code.
#ifndef LAUNCHER_LAUNCH_SEQUENCE_H_
#define LAUNCHER_LAUNCH_SEQUENCE_H_

#include <string>
#include <vector>

class LaunchSystemInterface;

// Runs one launch for the argument vector {module path, raw command line} on `system`.
// Returns 1 when no message catalogue can be read.
int RunLaunchSequence(std::vector<std::string>* arguments, LaunchSystemInterface& system);

#endif  // LAUNCHER_LAUNCH_SEQUENCE_H_
