#include "staging/timing_line.h"

#include <cstdio>

#include "platform/path_join.h"

std::string FormatTimingLine(const std::string& name, float seconds, TimingFormat format) {
  char number[64];
  std::snprintf(number, sizeof number, "%5.5f", static_cast<double>(seconds));
  return "\n Time taken for bootstrapping " + name + " is " + number +
         (format == TimingFormat::kListStep ? "   seconds" : "  seconds");
}

std::string TimingLogPath(const std::string& directory, const std::string& timestamp) {
  return JoinPath(directory, "time" + timestamp + ".log");
}
