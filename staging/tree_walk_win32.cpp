#include "staging/tree_walk.h"

#include <io.h>
#include <sys/stat.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/directory_search_win32.h"
#include "platform/path_join.h"
#include "platform/sealed_file_win32.h"
#include "platform/sealed_medium.h"
#include "platform/text_buffer.h"
#include "platform/windows_prelude.h"
#include "staging/held_item_retry_win32.h"

namespace {

bool FitsTextBuffer(const std::string& path) { return path.size() <= kMaxTextLength; }

DirectorySearch SearchDirectory(const std::string& directory) {
  return DirectorySearch(directory + "\\*.*");
}

// Walks the tree at `root`, calling `visit_file` with the path of each file and
// `visit_link(path, is_directory)` with each link, which is never entered, and returns the
// directories in walk order, the root first. Over-long children are passed over.
template <typename FileVisitor, typename LinkVisitor>
std::vector<std::string> WalkTree(const std::string& root, FileVisitor visit_file,
                                  LinkVisitor visit_link) {
  std::vector<std::string> directories{root};
  for (std::size_t slot = 0; slot < directories.size(); ++slot) {
    // A copy: appending may move the strings in the list.
    const std::string directory = directories[slot];
    DirectorySearch search = SearchDirectory(directory);
    while (search.Next()) {
      std::string child = JoinPath(directory, search.name());
      if (!FitsTextBuffer(child)) continue;
      if (search.is_link()) {
        visit_link(child, search.is_directory());
      } else if (search.is_directory()) {
        directories.push_back(std::move(child));
      } else {
        visit_file(child);
      }
    }
  }
  return directories;
}

// True when `path` itself is a link (see DirectorySearch::is_link).
bool IsLink(const std::string& path) {
  DirectorySearch search(path);
  return search.Next() && search.is_link();
}

// Removes the link at `path`, not what it points at: a directory link is removed as a
// directory, which takes the link alone. False when it stays.
bool RemoveLink(const std::string& path, bool is_directory) {
  return is_directory ? RemoveDirectoryA(path.c_str()) != FALSE
                      : DeleteFileA(path.c_str()) != FALSE;
}

// Copies one file over whatever has its name; a read-only attribute carried over is cleared,
// so a later copy or removal of the tree is not refused.
// From a sealed medium, the copy is checked against its seal on the way (SealedCopies).
bool CopyOneFile(const std::string& source, const std::string& destination, HeldItemRetry* retry,
                 SealedCopies* sealed) {
  for (;;) {
    unsigned long error = 0;
    if (sealed != nullptr ? sealed->Copy(source, destination, &error)
                          : CopyFileA(source.c_str(), destination.c_str(), FALSE) != FALSE) {
      break;
    }
    if (sealed == nullptr) error = GetLastError();
    if (retry == nullptr || !retry->ShouldRetry(source, error)) return false;
  }
  _chmod(destination.c_str(), _S_IREAD | _S_IWRITE);
  return true;
}

// Creates destination slot `slot`, copies the files of source slot `slot` into it and appends
// its subdirectories to both lists. 0, or -1 with `*failed` set to what the copy could not
// take: a file not copied, a folder below the root that cannot be listed, a link, a path
// too long.
int CopySlot(std::size_t slot, std::vector<std::string>* sources,
             std::vector<std::string>* destinations, std::string* failed, HeldItemRetry* retry,
             SealedCopies* sealed) {
  const std::string source = (*sources)[slot];
  const std::string destination = (*destinations)[slot];
  DirectorySearch search = SearchDirectory(source);
  if (!search.opened()) {
    // A missing root is an empty component; a folder found but unreadable is a gap.
    if (slot == 0) return 0;
    *failed = source;
    return -1;
  }
  // An existing directory is fine; one that cannot be made shows in the first file copy.
  CreateDirectoryA(destination.c_str(), nullptr);
  while (search.Next()) {
    std::string from = JoinPath(source, search.name());
    std::string to = JoinPath(destination, search.name());
    // A link is not followed (what it points at may lie outside the tree, or be the tree
    // itself), nor is it left out unsaid.
    if (!FitsTextBuffer(from) || !FitsTextBuffer(to) || search.is_link()) {
      *failed = from;
      return -1;
    }
    if (search.is_directory()) {
      sources->push_back(std::move(from));
      destinations->push_back(std::move(to));
    } else if (!CopyOneFile(from, to, retry, sealed)) {
      *failed = from;
      return -1;
    }
  }
  return 0;
}

}  // namespace

int CopyTree(const std::string& source, const std::string& destination, std::string* failed_path,
             HeldItemRetry* retry) {
  std::vector<std::string> sources{source};
  std::vector<std::string> destinations{destination};
  std::string failed;
  // From a sealed medium, each copy must be the file as sealed; no other is left behind.
  std::unique_ptr<SealedCopies> sealed;
  if (g_sealed_medium != nullptr) sealed = std::make_unique<SealedCopies>();
  int result = 0;
  for (std::size_t slot = 0; slot < sources.size() && result == 0; ++slot) {
    result = CopySlot(slot, &sources, &destinations, &failed, retry, sealed.get());
  }
  std::string refused = sealed != nullptr ? sealed->Finish() : std::string();
  if (result == 0 && !refused.empty()) {
    failed = refused;
    result = -1;
  }
  if (result != 0 && failed_path != nullptr) *failed_path = failed;
  return result;
}

int RemoveTree(const std::string& root, HeldItemRetry* retry) {
  // A root replaced by a link since it was made loses the link only.
  if (IsLink(root)) {
    RemoveLink(root, true);
    return 0;
  }
  // Whether a file stayed for good: the directories above it stay too, and waiting for
  // them to empty cannot help.
  bool file_stayed = false;
  auto remove_file = [retry, &file_stayed](const std::string& file) {
    while (!DeleteFileA(file.c_str())) {
      if (retry == nullptr || !retry->ShouldRetry(file, GetLastError())) {
        file_stayed = true;
        return;
      }
    }
  };
  // A link that stays (Wine cannot remove one) keeps its directory as a file does.
  auto remove_link = [&file_stayed](const std::string& link, bool is_directory) {
    if (!RemoveLink(link, is_directory)) file_stayed = true;
  };
  std::vector<std::string> directories = WalkTree(root, remove_file, remove_link);
  // Children come after their parents in the list, so going backwards empties each first.
  // The root comes last, and is not waited for: its caller may hold it until it is empty.
  for (auto it = directories.rbegin(); it != directories.rend(); ++it) {
    bool may_retry = retry != nullptr && !file_stayed && *it != root;
    while (!RemoveDirectoryA(it->c_str())) {
      if (!may_retry || !retry->ShouldRetry(*it, GetLastError())) break;
    }
  }
  return 0;
}

int CountFiles(const std::string& root) {
  int count = 0;
  WalkTree(
      root, [&count](const std::string&) { ++count; }, [](const std::string&, bool) {});
  return count;
}
