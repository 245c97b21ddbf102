// Joining run-time paths with names.
#ifndef PLATFORM_PATH_JOIN_H_
#define PLATFORM_PATH_JOIN_H_

#include <string>
#include <string_view>

#include "platform/ascii_case.h"

// `left`, a backslash unless `left` already ends with one, and `name`:
// ("D:\jre", "bin") -> "D:\jre\bin"; ("D:\jre\", "bin") -> "D:\jre\bin".
inline std::string JoinPath(std::string_view left, std::string_view name) {
  std::string joined(left);
  if (joined.empty() || joined.back() != '\\') joined += '\\';
  joined += name;
  return joined;
}

// Whether `path` is absolute on every drive and from every working directory: "C:\x"
// or "\\server\share"; not "x", "C:x" or "\x".
inline bool IsAbsolutePath(std::string_view path) {
  bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
               ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive || (path.size() >= 3 && path[0] == '\\' && path[1] == '\\');
}

// Whether `path` lies below `directory`, letters compared without case:
// ("C:\S\log", "c:\s") -> true; ("C:\S", "C:\S") and ("C:\Sx\log", "C:\S") -> false.
inline bool LiesBelow(std::string_view path, std::string_view directory) {
  return !directory.empty() && path.size() > directory.size() + 1 &&
         SameIgnoringAsciiCase(path.substr(0, directory.size()), directory) &&
         path[directory.size()] == '\\';
}

#endif  // PLATFORM_PATH_JOIN_H_
