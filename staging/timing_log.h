// The timing log of -PRINTTIME: how long each component took to stage.
//
// It lies in "<inst_loc>\logs" when the product's inventory location is known, else in
// the scratch directory (the installer log's location override does not apply), and is
// named "time<timestamp>.log"; never written through a link (platform/append_file.h):
// when it cannot be written in "<inst_loc>\logs" it goes to the scratch directory, and
// the console says so. Each line is flushed as it is written.
#ifndef STAGING_TIMING_LOG_H_
#define STAGING_TIMING_LOG_H_

#include <chrono>
#include <cstdio>
#include <string>

#include "staging/timing_line.h"

class TimingLog {
 public:
  TimingLog() = default;
  TimingLog(const TimingLog&) = delete;
  TimingLog& operator=(const TimingLog&) = delete;
  ~TimingLog() { Close(); }

  // Opens the log for appending; without a usable directory it stays closed and lines
  // are dropped.
  void Open(const std::string& scratch_path, const std::string& timestamp);
  // Writes one timing line when the log is open.
  void Write(const std::string& name, float seconds, TimingFormat format);
  void Close();

 private:
  std::FILE* stream_ = nullptr;
};

// Seconds since a start, to the millisecond.
class Stopwatch {
 public:
  Stopwatch();
  float Seconds() const;

 private:
  std::chrono::steady_clock::time_point start_;
};

#endif  // STAGING_TIMING_LOG_H_
