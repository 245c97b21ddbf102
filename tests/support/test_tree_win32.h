// Temporary directory trees for the Windows unit tests.
#ifndef TESTS_SUPPORT_TEST_TREE_WIN32_H_
#define TESTS_SUPPORT_TEST_TREE_WIN32_H_

#include <string>

#include "platform/windows_prelude.h"

// Removes `path` and everything below it; what cannot be removed stays.
inline void RemoveTestTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
  for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry)) {
    std::string name = entry.cFileName, child = path + "\\" + name;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveTestTree(child);
    else
      DeleteFileA(child.c_str());
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  RemoveDirectoryA(path.c_str());
}

#endif  // TESTS_SUPPORT_TEST_TREE_WIN32_H_
