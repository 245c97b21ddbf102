// Whether a path names something on disk.
#ifndef PLATFORM_PATH_EXISTS_H_
#define PLATFORM_PATH_EXISTS_H_

#include <string>

// True when `path` exists, as a file or a directory (through the system-call table).
bool PathExists(const std::string& path);

#endif  // PLATFORM_PATH_EXISTS_H_
