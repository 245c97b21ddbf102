// One directory search: the entries a FindFirstFileA pattern finds, "." and ".." left
// out, with the find handle closed on every way out.
#ifndef PLATFORM_DIRECTORY_SEARCH_WIN32_H_
#define PLATFORM_DIRECTORY_SEARCH_WIN32_H_

#include <cstring>
#include <string>

#include "platform/windows_prelude.h"

class DirectorySearch {
 public:
  // `pattern` is "<dir>\*.*" to list a directory, or a path, which finds the entry itself.
  explicit DirectorySearch(const std::string& pattern)
      : handle_(FindFirstFileA(pattern.c_str(), &entry_)) {}
  DirectorySearch(const DirectorySearch&) = delete;
  DirectorySearch& operator=(const DirectorySearch&) = delete;
  ~DirectorySearch() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }

  // False when nothing matches or the directory cannot be read.
  bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }

  // Moves to the next entry, the first one on the first call; false when none is left.
  bool Next() {
    if (!opened()) return false;
    do {
      if (!at_first_ && !FindNextFileA(handle_, &entry_)) return false;
      at_first_ = false;
    } while (IsDotEntry(entry_.cFileName));
    return true;
  }

  const char* name() const { return entry_.cFileName; }
  bool is_directory() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

  // A junction, a symbolic link or a mount point: a name for something elsewhere, which a
  // walk must never enter or follow. Every directory that is a reparse point counts as a
  // link (some systems report no usable tag for them); a file counts only with a
  // name-surrogate tag, so that cloud placeholders and deduplicated files, which hold
  // their own data, stay ordinary files.
  bool is_link() const {
    if ((entry_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
    return is_directory() || IsReparseTagNameSurrogate(entry_.dwReserved0);
  }

 private:
  static bool IsDotEntry(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
  }

  WIN32_FIND_DATAA entry_;
  HANDLE handle_;
  bool at_first_ = true;
};

#endif  // PLATFORM_DIRECTORY_SEARCH_WIN32_H_
