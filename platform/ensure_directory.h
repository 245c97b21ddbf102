// Making sure a directory is there to write in.
#ifndef PLATFORM_ENSURE_DIRECTORY_H_
#define PLATFORM_ENSURE_DIRECTORY_H_

#include <string>

// Creates `path` and its missing parents. 1 when it then exists and is readable and
// writable, else 0.
int EnsureDirectory(const std::string& path);

// True when `path` is a directory the launcher may read and write. A regular file
// passes the access test too, but nothing can be created in it.
bool IsReadWriteDirectory(const std::string& path);

// `path` up to its last backslash: "C:\a\b" gives "C:\a"; a path without one is itself.
std::string ParentOf(const std::string& path);

#endif  // PLATFORM_ENSURE_DIRECTORY_H_
