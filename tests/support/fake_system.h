// A system-call table for native tests: console text and error boxes are recorded,
// standard input is read from a script, only the paths a test names exist, and the
// installer log goes to a fresh directory of its own. Install one for the length of a
// test; the real table, the run's flags and the log's settings come back when it goes.
#ifndef TESTS_SUPPORT_FAKE_SYSTEM_H_
#define TESTS_SUPPORT_FAKE_SYSTEM_H_

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "messages/installer_log.h"
#include "messages/log_location.h"
#include "messages/message_output.h"
#include "messages/run_flags.h"
#include "platform/system_calls.h"

class FakeSystem {
 public:
  FakeSystem() : calls_(Calls()), saved_flags_(g_run_flags) {
    // One at a time: a second would hand the first's calls and log back half undone.
    if (current_ != nullptr) {
      std::fputs("FakeSystem: one is installed already; a test installs one at a time\n", stderr);
      std::abort();
    }
    current_ = this;
    SetConsoleOutput(this);
    g_run_flags = RunFlags();
    auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("vel_fake_system_" + std::to_string(now));
    std::filesystem::create_directory(directory);
    log_directory_ = directory.string();
    g_installer_log = InstallerLog();
    // The log's name starts with a backslash, so it lands inside the directory.
    g_installer_log.fallback_directory = log_directory_ + "/";
    g_installer_log.file_name = "installActionsT.log";
  }
  ~FakeSystem() {
    std::error_code ignored;
    std::filesystem::remove(LogPath(), ignored);
    std::filesystem::remove_all(log_directory_, ignored);
    g_installer_log = InstallerLog();
    SetConsoleOutput(nullptr);
    g_run_flags = saved_flags_;
    current_ = nullptr;
  }

  // A directory of the test's own, removed with everything in it when the test ends.
  const std::string& directory() const { return log_directory_; }

  // What the installer log holds so far.
  std::string Log() const {
    std::ifstream in(LogPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  FakeSystem(const FakeSystem&) = delete;
  FakeSystem& operator=(const FakeSystem&) = delete;

  // What a run showed and read.
  std::string console;
  std::string boxes;
  std::string input;
  std::size_t input_read = 0;
  // The paths that exist.
  std::set<std::string> existing;

 private:
  std::string LogPath() const {
    return LogFilePath(g_installer_log.fallback_directory, g_installer_log.file_name);
  }

  // Console text and boxes recorded, input from the script, only the named paths.
  static SystemCalls Calls() {
    SystemCalls calls = kSystemCalls;
    calls.write_console = [](void*, const char* text) { current_->console += text; };
    calls.show_error_box = [](const char* text, const char* caption) {
      current_->boxes += std::string("[") + caption + "] " + text + "\n";
    };
    calls.read_input_char = []() -> int {
      FakeSystem& self = *current_;
      if (self.input_read >= self.input.size()) return EOF;
      return static_cast<unsigned char>(self.input[self.input_read++]);
    };
    calls.path_exists = [](const std::string& path) { return current_->existing.count(path) != 0; };
    calls.standard_output = []() -> void* { return current_; };
    return calls;
  }

  static inline FakeSystem* current_ = nullptr;
  ScopedSystemCalls calls_;
  std::string log_directory_;
  RunFlags saved_flags_;
};

#endif  // TESTS_SUPPORT_FAKE_SYSTEM_H_
