// The native test build's stand-in for _fullpath. Paths in Windows form ("X:\..." or
// "\\server\...") and native ones ("/tmp/...") are taken as absolute and returned unchanged;
// anything else is joined to the current directory with a backslash, as the launcher would see it
// on Windows.
#include <unistd.h>

#include <cctype>

#include "platform/full_path.h"
#include "platform/text_buffer.h"

bool GetFullPath(const std::string& path, std::string* full) {
  bool has_drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                   path[1] == ':' && path[2] == '\\';
  bool is_unc = path.compare(0, 2, "\\\\") == 0;
  // The test's own directories, which stand for a drive's.
  bool is_native = !path.empty() && path[0] == '/';
  std::string result;
  if (has_drive || is_unc || is_native) {
    result = path;
  } else {
    char cwd[kTextBufferSize];
    if (getcwd(cwd, sizeof cwd) == nullptr) return false;
    result = std::string(cwd) + "\\" + path;
  }
  if (result.size() > kMaxTextLength) return false;
  *full = result;
  return true;
}
