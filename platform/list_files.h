// Listing directories.
#ifndef PLATFORM_LIST_FILES_H_
#define PLATFORM_LIST_FILES_H_

#include <string>
#include <vector>

// The names of the files (not directories) in `directory`, in the order the system
// lists them; empty when it cannot be listed.
std::vector<std::string> ListFiles(const std::string& directory);

// The name of the first entry other than "." and ".." that a search for `pattern` finds
// ("D:\s\jre\*", or a path, which finds the entry itself): a file or a directory. False
// when the search finds nothing else.
bool FindFirstEntryName(const std::string& pattern, std::string* name);

#endif  // PLATFORM_LIST_FILES_H_
