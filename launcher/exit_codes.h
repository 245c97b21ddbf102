// The launcher's own exit codes. Otherwise it ends with the installer's: its exit code
// when the launcher waits for it, else its status right after the start.
#ifndef LAUNCHER_EXIT_CODES_H_
#define LAUNCHER_EXIT_CODES_H_

constexpr int kExitNoCatalogue = 1;
constexpr int kExitRefused = -1;
constexpr int kExitNoParameterFile = -2;
constexpr int kExitNothingToRun = 0;
constexpr int kExitSealBroken = -3;

struct ExitCodeInfo {
  const char* code;
  const char* cause;
};

// Every exit code and what causes it, for the reference.
extern const ExitCodeInfo kExitCodes[];
extern const int kExitCodeCount;

#endif  // LAUNCHER_EXIT_CODES_H_
