#include "messages/installer_log.h"

#include <cstring>

#include "messages/inventory_location.h"
#include "messages/log_location.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "platform/append_file.h"
#include "platform/ensure_directory.h"
#include "platform/full_path.h"
#include "platform/path_exists.h"
#include "platform/path_join.h"
#include "platform/system_text.h"
#include "platform/text_buffer.h"

InstallerLog g_installer_log;

std::string ReadInventoryLocation() {
  if (!g_installer_log.inventory_read) {
    std::string location = ReadRegisteredInventoryLocation();
    // A relative one would mean whatever the working directory is.
    if (!IsAbsolutePath(location)) location.clear();
    g_installer_log.inventory_location = location;
    g_installer_log.inventory_read = true;
  }
  return g_installer_log.inventory_location;
}

namespace {

// Opens the log named `path` in `directory`: a stream, or null.
std::FILE* OpenLogIn(const std::string& directory, const std::string& path) {
  if (path.size() > kMaxTextLength || EnsureDirectory(directory) != 1) return nullptr;
  return OpenAppendFile(path);
}

// The full path `path` names from the working directory now, for comparing names.
std::string FullPathOf(const std::string& path) {
  std::string full;
  return !path.empty() && GetFullPath(path, &full) ? full : path;
}

// Opens the file the identity names now, unless it is the one open. A file of another
// name is closed first, as each group of lines closed its file when it was done.
void OpenNamedLog() {
  InstallerLog& log = g_installer_log;
  log.retarget = false;
  std::string inst_loc;
  if (log.override_directory.empty()) inst_loc = ReadInventoryLocation();
  std::string directory =
      ChooseLogDirectory(log.override_directory, inst_loc, log.fallback_directory);
  std::string path = LogFilePath(directory, log.file_name);
  std::string fallback = LogFilePath(log.fallback_directory, log.file_name);
  std::string target = FullPathOf(path) + "\n" + FullPathOf(fallback);
  if (log.stream != nullptr && target == log.target) return;
  if (log.stream != nullptr) std::fclose(log.stream);
  log.stream = OpenLogIn(directory, path);
  if (log.stream == nullptr && directory != log.fallback_directory &&
      !log.fallback_directory.empty() && PathExists(directory)) {
    // Something of the user's stands where the log was meant to go (a link, say): its
    // lines go to the scratch directory instead, and the user learns where.
    log.stream = OpenLogIn(log.fallback_directory, fallback);
    if (log.stream != nullptr && !log.redirected) {
      log.redirected = true;
      ConsolePrint(LocalText(msg::S_LOG_REDIRECTED, SystemTextToUtf8(directory.c_str()).c_str(),
                             SystemTextToUtf8(fallback.c_str()).c_str())
                       .c_str());
    }
    path = fallback;
  }
  log.target = log.stream != nullptr ? target : std::string();
  log.path = log.stream != nullptr ? path : std::string();
}

}  // namespace

InstallerLogSession::InstallerLogSession() {
  g_installer_log.session_running = true;
  g_installer_log.retarget = true;
}

InstallerLogSession::~InstallerLogSession() { Close(); }

void InstallerLogSession::Open() {
  if (g_installer_log.session_running) OpenNamedLog();
}

void InstallerLogSession::Retarget() { g_installer_log.retarget = true; }

void InstallerLogSession::Close() {
  InstallerLog& log = g_installer_log;
  if (log.stream != nullptr) {
    std::fflush(log.stream);
    std::fclose(log.stream);
  }
  log.stream = nullptr;
  log.target.clear();
  log.session_running = false;
}

void WriteLog(const char* text) {
  InstallerLog& log = g_installer_log;
  if (log.session_running && (log.stream == nullptr || log.retarget)) OpenNamedLog();
  if (log.stream == nullptr) return;
  std::fwrite(text, 1, std::strlen(text), log.stream);
  std::fflush(log.stream);
}

void ShowAndLog(const char* text) {
  ConsolePrint(text);
  WriteLog(text);
}

void ShowAndLogSystemText(const std::string& text) {
  ShowAndLog(SystemTextToUtf8(text.c_str()).c_str());
}
