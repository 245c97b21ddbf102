#include "staging/timing_log.h"

#include "messages/installer_log.h"
#include "messages/log_location.h"
#include "platform/ensure_directory.h"
#include "platform/windows_prelude.h"

void TimingLog::Open(const std::string& scratch_path, const std::string& timestamp) {
  Close();
  std::string directory = ChooseLogDirectory("", ReadInventoryLocation(), scratch_path);
  if (EnsureDirectory(directory) != 1) return;
  stream_ = std::fopen(TimingLogPath(directory, timestamp).c_str(), "a");
}

void TimingLog::Write(const std::string& name, float seconds, TimingFormat format) {
  if (stream_ == nullptr) return;
  std::string line = FormatTimingLine(name, seconds, format);
  std::fwrite(line.data(), 1, line.size(), stream_);
  std::fflush(stream_);
}

void TimingLog::Close() {
  if (stream_ == nullptr) return;
  std::fflush(stream_);
  std::fclose(stream_);
  stream_ = nullptr;
}

Stopwatch::Stopwatch() : start_(GetTickCount()) {}

float Stopwatch::Seconds() const {
  // Unsigned subtraction stays right across the tick count's wrap after 49 days.
  return static_cast<float>(static_cast<DWORD>(GetTickCount() - start_)) / 1000.0f;
}
