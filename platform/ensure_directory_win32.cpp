#include "platform/ensure_directory.h"

#include <direct.h>
#include <io.h>

#include "platform/path_exists.h"
#include "platform/windows_prelude.h"

bool IsReadWriteDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         _access(path.c_str(), 6) == 0;
}

std::string ParentOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

int EnsureDirectory(const std::string& path) {
  if (!PathExists(path)) {
    std::string parent = ParentOf(path);
    if (!parent.empty() && parent != path && EnsureDirectory(parent) == 0) return 0;
    _mkdir(path.c_str());
  }
  return IsReadWriteDirectory(path) ? 1 : 0;
}
