// Absolute paths, as the runtime library's _fullpath makes them on Windows.
#ifndef PLATFORM_FULL_PATH_H_
#define PLATFORM_FULL_PATH_H_

#include <string>

// Makes `path` absolute against the current working directory into `*full`
// (at most 1023 characters). Returns false, leaving `*full` alone, on failure.
bool GetFullPath(const std::string& path, std::string* full);

#endif  // PLATFORM_FULL_PATH_H_
