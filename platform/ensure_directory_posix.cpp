#include <sys/stat.h>
#include <unistd.h>

#include "platform/ensure_directory.h"

// The native build's paths use '/'; a backslash is part of a name there.
bool IsReadWriteDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         access(path.c_str(), R_OK | W_OK) == 0;
}

std::string ParentOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

int EnsureDirectory(const std::string& path) {
  for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
    mkdir(path.substr(0, at).c_str(), 0700);
  }
  if (!path.empty()) mkdir(path.c_str(), 0700);
  return IsReadWriteDirectory(path) ? 1 : 0;
}
