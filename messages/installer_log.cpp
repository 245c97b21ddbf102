#include "messages/installer_log.h"

#include <cstring>

#include "messages/inventory_location.h"
#include "messages/log_location.h"
#include "messages/message_output.h"
#include "platform/ensure_directory.h"
#include "platform/full_path.h"
#include "platform/system_text.h"
#include "platform/text_buffer.h"

InstallerLog g_installer_log;

std::string ReadInventoryLocation() {
  if (!g_installer_log.inventory_read) {
    std::string location = ReadRegisteredInventoryLocation();
    std::string full;
    if (!location.empty() && GetFullPath(location, &full)) location = full;
    g_installer_log.inventory_location = location;
    g_installer_log.inventory_read = true;
  }
  return g_installer_log.inventory_location;
}

void OpenInstallerLog() {
  InstallerLog& log = g_installer_log;
  std::string inst_loc;
  if (log.override_directory.empty()) inst_loc = ReadInventoryLocation();
  std::string directory =
      ChooseLogDirectory(log.override_directory, inst_loc, log.fallback_directory);
  std::string path = LogFilePath(directory, log.prefix, log.timestamp);
  if (path.size() <= kMaxTextLength && EnsureDirectory(directory) == 1) {
    std::FILE* stream = std::fopen(path.c_str(), "a");
    if (stream != nullptr) {
      // Every writer flushes, so a stream left open by an earlier opening loses nothing.
      if (g_installer_log.stream != nullptr) std::fclose(g_installer_log.stream);
      g_installer_log.stream = stream;
      g_installer_log.path = path;
    }
  }
  if (g_installer_log.stream == nullptr) g_installer_log.path.clear();
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
