// Joining run-time paths with names.
#ifndef PLATFORM_PATH_JOIN_H_
#define PLATFORM_PATH_JOIN_H_

#include <string>
#include <string_view>

// `left`, a backslash unless `left` already ends with one, and `name`:
// ("D:\jre", "bin") -> "D:\jre\bin"; ("D:\jre\", "bin") -> "D:\jre\bin".
inline std::string JoinPath(std::string_view left, std::string_view name) {
  std::string joined(left);
  if (joined.empty() || joined.back() != '\\') joined += '\\';
  joined += name;
  return joined;
}

#endif  // PLATFORM_PATH_JOIN_H_
