#include "messages/installer_log.h"

#include <cstring>

#include "messages/inventory_location.h"
#include "messages/log_location.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "platform/append_file.h"
#include "platform/ensure_directory.h"
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

}  // namespace

void OpenInstallerLog() {
  InstallerLog& log = g_installer_log;
  std::string inst_loc;
  if (log.override_directory.empty()) inst_loc = ReadInventoryLocation();
  std::string directory =
      ChooseLogDirectory(log.override_directory, inst_loc, log.fallback_directory);
  std::string path = LogFilePath(directory, log.prefix, log.timestamp);
  std::FILE* stream = OpenLogIn(directory, path);
  if (stream == nullptr && directory != log.fallback_directory && !log.fallback_directory.empty() &&
      PathExists(directory)) {
    // Something of the user's stands where the log was meant to go (a link, say): its
    // lines go to the scratch directory instead, and the user learns where.
    std::string fallback = LogFilePath(log.fallback_directory, log.prefix, log.timestamp);
    stream = OpenLogIn(log.fallback_directory, fallback);
    if (stream != nullptr && !log.redirected) {
      log.redirected = true;
      ConsolePrint(LocalText(msg::S_LOG_REDIRECTED, SystemTextToUtf8(directory.c_str()).c_str(),
                             SystemTextToUtf8(fallback.c_str()).c_str())
                       .c_str());
    }
    path = fallback;
  }
  if (stream != nullptr) {
    // Every writer flushes, so a stream left open by an earlier opening loses nothing.
    if (log.stream != nullptr) std::fclose(log.stream);
    log.stream = stream;
    log.path = path;
  }
  if (log.stream == nullptr) log.path.clear();
}

void WriteLog(const char* text) {
  if (g_installer_log.stream == nullptr) return;
  std::fwrite(text, 1, std::strlen(text), g_installer_log.stream);
  std::fflush(g_installer_log.stream);
}

void ShowAndLog(const char* text) {
  ConsolePrint(text);
  WriteLog(text);
}

void ShowAndLogSystemText(const std::string& text) {
  ShowAndLog(SystemTextToUtf8(text.c_str()).c_str());
}

void CloseInstallerLog() {
  if (g_installer_log.stream != nullptr) {
    std::fflush(g_installer_log.stream);
    std::fclose(g_installer_log.stream);
  }
  g_installer_log.stream = nullptr;
}
