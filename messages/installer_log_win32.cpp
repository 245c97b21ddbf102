#include "messages/installer_log.h"

#include <cstring>

#include "messages/log_location.h"
#include "messages/message_output.h"
#include "platform/ensure_directory.h"
#include "platform/full_path.h"
#include "platform/scoped_reg_key_win32.h"
#include "platform/system_text.h"
#include "platform/text_buffer.h"

InstallerLog g_installer_log;

namespace {

// inst_loc as the registry holds it, REG_EXPAND_SZ expanded; empty when there is none.
std::string ReadRegisteredInventoryLocation() {
  ScopedRegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\VELMOR", KEY_QUERY_VALUE) &&
      !key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\WOW6432NODE\\VELMOR", KEY_QUERY_VALUE)) {
    return std::string();
  }
  char value[kTextBufferSize] = "";
  DWORD size = sizeof value - 1;  // room for a terminator the registry may not store
  DWORD type = 0;
  if (RegQueryValueExA(key.get(), "inst_loc", nullptr, &type, reinterpret_cast<BYTE*>(value),
                       &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::string();
  }
  value[size < sizeof value ? size : sizeof value - 1] = '\0';
  if (type == REG_SZ) return value;
  // "%SystemDrive%\Inventory": the variables are the launcher's own environment's.
  char expanded[kTextBufferSize];
  DWORD n = ExpandEnvironmentStringsA(value, expanded, sizeof expanded);
  if (n == 0 || n > sizeof expanded) return std::string();  // too long for the buffers
  return expanded;
}

}  // namespace

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

void OpenInstallerLog(const std::string& fallback_directory, const std::string& timestamp,
                      const std::string& prefix) {
  std::string inst_loc;
  if (g_installer_log.override_directory.empty()) inst_loc = ReadInventoryLocation();
  std::string directory =
      ChooseLogDirectory(g_installer_log.override_directory, inst_loc, fallback_directory);
  std::string path = LogFilePath(directory, prefix, timestamp);
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
