// Listing a directory's files.
#ifndef PLATFORM_LIST_FILES_H_
#define PLATFORM_LIST_FILES_H_

#include <string>
#include <vector>

// The names of the files (not directories) in `directory`, in the order the system
// lists them; empty when it cannot be listed.
std::vector<std::string> ListFiles(const std::string& directory);

#endif  // PLATFORM_LIST_FILES_H_
