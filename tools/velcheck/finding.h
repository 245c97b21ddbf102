// What velcheck found: one finding per mistake, with where it is and what the launcher
// will do about it.
#ifndef TOOLS_VELCHECK_FINDING_H_
#define TOOLS_VELCHECK_FINDING_H_

#include <string>
#include <vector>

enum class Severity { kWarning, kError };

struct Finding {
  Severity severity = Severity::kWarning;
  // The file or directory: relative to the checked directory when it lies below it
  // ("velparam.ini", "resource/cons.nls", "." for the directory), else absolute.
  std::string file;
  int line = 0;     // 0 when there is none
  std::string key;  // empty when there is none
  std::string message;
};

// velcheck's exit status: 0 without findings, 1 with warnings only, 2 with an error.
int FindingsStatus(const std::vector<Finding>& findings);

#endif  // TOOLS_VELCHECK_FINDING_H_
