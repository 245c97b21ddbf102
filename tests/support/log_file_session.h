// An installer log session of a test, writing to a file the test names.
#ifndef TESTS_SUPPORT_LOG_FILE_SESSION_H_
#define TESTS_SUPPORT_LOG_FILE_SESSION_H_

#include <string>

#include "messages/installer_log.h"

// The launch's log session with its identity set so that the file is `path` (a name
// ending in ".log" after a backslash), whatever inventory is registered.
class LogFileSession {
 public:
  explicit LogFileSession(const std::string& path) : session_(NameLog(path)) {}
  ~LogFileSession() {
    session_.Close();
    g_installer_log = InstallerLog();
  }
  LogFileSession(const LogFileSession&) = delete;
  LogFileSession& operator=(const LogFileSession&) = delete;

 private:
  static InstallerLogSession NameLog(const std::string& path) {
    std::string::size_type name_at = path.rfind('\\');
    g_installer_log = InstallerLog();
    g_installer_log.fallback_directory = path.substr(0, name_at);
    g_installer_log.file_name = path.substr(name_at + 1);
    g_installer_log.inventory_read = true;
    return {};
  }

  InstallerLogSession session_;
};

#endif  // TESTS_SUPPORT_LOG_FILE_SESSION_H_
