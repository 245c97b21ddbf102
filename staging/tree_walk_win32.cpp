#include <io.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/path_join.h"
#include "platform/text_buffer.h"
#include "platform/windows_prelude.h"
#include "staging/tree_walk.h"

namespace {

// The entries of one directory but "." and "..", with the find handle closed on every way out.
class DirectorySearch {
 public:
  explicit DirectorySearch(const std::string& directory) {
    handle_ = FindFirstFileA((directory + "\\*.*").c_str(), &entry_);
  }
  DirectorySearch(const DirectorySearch&) = delete;
  DirectorySearch& operator=(const DirectorySearch&) = delete;
  ~DirectorySearch() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  // False when the directory is missing or cannot be read.
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

 private:
  static bool IsDotEntry(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
  }

  WIN32_FIND_DATAA entry_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool at_first_ = true;
};

bool FitsTextBuffer(const std::string& path) { return path.size() <= kMaxTextLength; }

// Walks the tree at `root`, calling `visit_file` with the path of each file, and returns the
// directories in walk order, the root first. Over-long children are passed over.
template <typename FileVisitor>
std::vector<std::string> WalkTree(const std::string& root, FileVisitor visit_file) {
  std::vector<std::string> directories{root};
  for (std::size_t slot = 0; slot < directories.size(); ++slot) {
    // A copy: appending may move the strings in the list.
    const std::string directory = directories[slot];
    DirectorySearch search(directory);
    while (search.Next()) {
      std::string child = JoinPath(directory, search.name());
      if (!FitsTextBuffer(child)) continue;
      if (search.is_directory()) {
        directories.push_back(std::move(child));
      } else {
        visit_file(child);
      }
    }
  }
  return directories;
}

// Copies one file over whatever has its name; a read-only attribute carried over is cleared,
// so a later copy or removal of the tree is not refused.
bool CopyOneFile(const std::string& source, const std::string& destination) {
  if (!CopyFileA(source.c_str(), destination.c_str(), FALSE)) return false;
  _chmod(destination.c_str(), _S_IREAD | _S_IWRITE);
  return true;
}

// Creates destination slot `slot`, copies the files of source slot `slot` into it and appends
// its subdirectories to both lists. 0, or -1 on a file not copied or a path too long.
int CopySlot(std::size_t slot, std::vector<std::string>* sources,
             std::vector<std::string>* destinations) {
  const std::string source = (*sources)[slot];
  const std::string destination = (*destinations)[slot];
  DirectorySearch search(source);
  if (!search.opened()) return 0;
  // An existing directory is fine; one that cannot be made shows in the first file copy.
  CreateDirectoryA(destination.c_str(), nullptr);
  while (search.Next()) {
    std::string from = JoinPath(source, search.name());
    std::string to = JoinPath(destination, search.name());
    if (!FitsTextBuffer(from) || !FitsTextBuffer(to)) return -1;
    if (search.is_directory()) {
      sources->push_back(std::move(from));
      destinations->push_back(std::move(to));
    } else if (!CopyOneFile(from, to)) {
      return -1;
    }
  }
  return 0;
}

}  // namespace

int CopyTree(const std::string& source, const std::string& destination) {
  std::vector<std::string> sources{source};
  std::vector<std::string> destinations{destination};
  for (std::size_t slot = 0; slot < sources.size(); ++slot) {
    if (CopySlot(slot, &sources, &destinations) != 0) return -1;
  }
  return 0;
}

int RemoveTree(const std::string& root) {
  std::vector<std::string> directories =
      WalkTree(root, [](const std::string& file) { DeleteFileA(file.c_str()); });
  // Children come after their parents in the list, so going backwards empties each first.
  for (auto it = directories.rbegin(); it != directories.rend(); ++it) {
    RemoveDirectoryA(it->c_str());
  }
  return 0;
}

int CountFiles(const std::string& root) {
  int count = 0;
  WalkTree(root, [&count](const std::string&) { ++count; });
  return count;
}
