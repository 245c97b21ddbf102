#include "platform/list_files.h"

#include "platform/directory_search_win32.h"

std::vector<std::string> ListFiles(const std::string& directory) {
  std::vector<std::string> names;
  DirectorySearch search(directory + "\\*.*");
  while (search.Next()) {
    if (!search.is_directory()) names.push_back(search.name());
  }
  return names;
}

bool FindFirstEntryName(const std::string& pattern, std::string* name) {
  DirectorySearch search(pattern);
  if (!search.Next()) return false;
  *name = search.name();
  return true;
}
