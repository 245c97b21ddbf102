// Walks over directory trees: copying one into another, removing one, counting its files.
//
// How this works: a walk keeps a list of directory paths and goes through it breadth first,
// without recursion. Slot 0 holds the root; each subdirectory found is appended at the end,
// and the walk visits the slots in order until the last, so a directory always comes after
// its parent. A directory is searched with "<dir>\*.*" (the backslash is added even after a
// trailing one, which Windows accepts); "." and ".." are skipped. An entry with the directory
// attribute is a directory, anything else (hidden and system files too) is a file. A child is
// "<dir>\<name>", without a second backslash when <dir> ends with one. A directory that cannot
// be searched is passed over. Nothing is reported to the user.
//
// A link below the root (a junction, a symbolic link, a mount point) is never entered or
// followed: the trees walked lie where other users may write, and a link may point at
// anything, the tree itself included. Removal removes the link alone, counting passes over
// it, and copying fails on it: a copy without what the link stood for would be incomplete.
//
// Paths are held to kMaxTextLength (1023) characters:
// - CopyTree fails with -1 on a longer source or destination child path, so no file is lost.
// - RemoveTree and CountFiles pass over a longer child path and whatever is below it.
#ifndef STAGING_TREE_WALK_H_
#define STAGING_TREE_WALK_H_

#include <string>

class HeldItemRetry;

// Copies the tree at `source` into `destination`, merging into what is there, overwriting
// same-named files and clearing read-only on the copies. 0 when done (a missing or unreadable
// source root creates nothing); -1, keeping earlier copies, at the first thing below the root
// that would leave the copy incomplete: a file that cannot be copied, a folder that cannot be
// listed, a link, a path too long, or (from a sealed medium) a copy that is not the file as
// sealed, which is deleted again. Then `*failed_path`, when given, names it. With
// `retry`, a file another program holds for a moment is tried again
// (staging/held_item_retry_win32.h).
int CopyTree(const std::string& source, const std::string& destination,
             std::string* failed_path = nullptr, HeldItemRetry* retry = nullptr);

// Removes the tree at `root`, deepest directories first; a file that cannot be deleted (a
// read-only one) stays, and so do the directories above it. A `root` that is itself a link
// loses the link only. With `retry`, an item another program holds for a moment is tried
// again, and so is a directory it kept from emptying, unless a file stayed for good.
// Always 0.
int RemoveTree(const std::string& root, HeldItemRetry* retry = nullptr);

// The number of files at every depth below `root`, directories not counted; 0 when missing.
int CountFiles(const std::string& root);

#endif  // STAGING_TREE_WALK_H_
