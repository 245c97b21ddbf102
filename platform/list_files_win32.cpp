#include "platform/list_files.h"

#include <cstring>

#include "platform/windows_prelude.h"

namespace {

// A directory search, closed on every way out.
class DirectorySearch {
 public:
  explicit DirectorySearch(const std::string& pattern)
      : find_(FindFirstFileA(pattern.c_str(), &entry_)) {}
  DirectorySearch(const DirectorySearch&) = delete;
  DirectorySearch& operator=(const DirectorySearch&) = delete;
  ~DirectorySearch() {
    if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
  }
  // Steps through the entries: the first call gives the first one.
  const WIN32_FIND_DATAA* Next() {
    if (find_ == INVALID_HANDLE_VALUE) return nullptr;
    if (started_ && !FindNextFileA(find_, &entry_)) return nullptr;
    started_ = true;
    return &entry_;
  }

 private:
  WIN32_FIND_DATAA entry_;
  HANDLE find_;
  bool started_ = false;
};

bool IsDotOrDotDot(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

}  // namespace

std::vector<std::string> ListFiles(const std::string& directory) {
  std::vector<std::string> names;
  DirectorySearch search(directory + "\\*.*");
  while (const WIN32_FIND_DATAA* entry = search.Next()) {
    if ((entry->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      names.push_back(entry->cFileName);
  }
  return names;
}

bool FindFirstEntryName(const std::string& pattern, std::string* name) {
  DirectorySearch search(pattern);
  while (const WIN32_FIND_DATAA* entry = search.Next()) {
    if (!IsDotOrDotDot(entry->cFileName)) {
      *name = entry->cFileName;
      return true;
    }
  }
  return false;
}
