// Opening a log file for appending where the user decides what a name means.
#ifndef PLATFORM_APPEND_FILE_H_
#define PLATFORM_APPEND_FILE_H_

#include <cstdio>
#include <string>

// Opens the file at `path` for appending text, creating it when missing, and only when
// it really is the file meant: no link or other reparse point in its place or in place of
// its folder, no second name (hard link) to another file, and the path the system
// reports for it is `path` as seen from its folder's parent. A file it made elsewhere is
// removed again. The handle is not inherited by child processes. Null otherwise.
std::FILE* OpenAppendFile(const std::string& path);

#endif  // PLATFORM_APPEND_FILE_H_
