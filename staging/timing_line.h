// The lines of the timing log that -PRINTTIME asks for.
#ifndef STAGING_TIMING_LINE_H_
#define STAGING_TIMING_LINE_H_

#include <string>

// The two formats differ only in the blanks before "seconds": three for components that
// the component list expands, two for the layout steps' components and the access files.
enum class TimingFormat { kListStep, kLayoutStep };

// "\n Time taken for bootstrapping <name> is <seconds, %5.5f>   seconds" (three blanks for
// the list step, two otherwise).
std::string FormatTimingLine(const std::string& name, float seconds, TimingFormat format);

// "<directory>\time<timestamp>.log".
std::string TimingLogPath(const std::string& directory, const std::string& timestamp);

#endif  // STAGING_TIMING_LINE_H_
