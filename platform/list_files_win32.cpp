#include "platform/list_files.h"
#include "platform/windows_prelude.h"

std::vector<std::string> ListFiles(const std::string& directory) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((directory + "\\*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}
