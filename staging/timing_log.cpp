#include "staging/timing_log.h"

#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/log_location.h"
#include "platform/append_file.h"
#include "platform/ensure_directory.h"
#include "platform/system_text.h"

void TimingLog::Open(const std::string& scratch_path, const std::string& timestamp) {
  Close();
  std::string directory = ChooseLogDirectory("", ReadInventoryLocation(), scratch_path);
  if (EnsureDirectory(directory) != 1) return;
  stream_ = OpenAppendFile(TimingLogPath(directory, timestamp));
  if (stream_ != nullptr || directory == scratch_path) return;
  // Something of the user's stands where the log was meant to go: the scratch
  // directory takes it, and the user learns where.
  std::string fallback = TimingLogPath(scratch_path, timestamp);
  stream_ = OpenAppendFile(fallback);
  if (stream_ != nullptr) {
    ConsolePrint(LocalText(msg::S_LOG_REDIRECTED, SystemTextToUtf8(directory.c_str()).c_str(),
                           SystemTextToUtf8(fallback.c_str()).c_str())
                     .c_str());
  }
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

Stopwatch::Stopwatch() : start_(std::chrono::steady_clock::now()) {}

float Stopwatch::Seconds() const {
  auto elapsed = std::chrono::steady_clock::now() - start_;
  auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  return static_cast<float>(milliseconds) / 1000.0f;
}
