// A directory held open without sharing delete: while it is held, nobody can rename or
// remove it, nor put something else under its name; files and folders below it can
// still be created and removed. Nor can a folder above it be renamed (NTFS refuses to
// rename a directory with an open handle below it), so the path the hold pinned when it
// began names the held directory for as long as it is held.
#ifndef PLATFORM_HELD_DIRECTORY_WIN32_H_
#define PLATFORM_HELD_DIRECTORY_WIN32_H_

#include <string>

#include "platform/windows_prelude.h"

class HeldDirectory {
 public:
  HeldDirectory() = default;
  HeldDirectory(const HeldDirectory&) = delete;
  HeldDirectory& operator=(const HeldDirectory&) = delete;
  ~HeldDirectory() { Release(); }

  bool held() const { return handle_ != nullptr; }
  // The held directory's final path when the hold began (FinalPathOf), "" when the
  // system could not tell: the path every later step uses instead of the one that led
  // to it.
  const std::string& pinned_path() const { return pinned_path_; }
  // Whether the held directory's final path is still the pinned one.
  bool IsAtPinnedPath() const;
  // Lets go: the directory can be removed (or renamed) again.
  void Release();
  // Removes the held directory, which must be empty, through the hold itself (never by
  // a name, which may lead elsewhere by now), and lets go. False when it stays.
  bool RemoveEmpty();

  // What the hold tells of the directory itself: whether it is a link or another
  // reparse point, its owner and access list as SDDL ("" when they cannot be read), and
  // whether its volume keeps access lists and is local.
  bool IsReparsePoint() const;
  std::string SecurityText() const;
  bool GetVolumeFacts(bool* persistent_acls, bool* remote) const;

 private:
  friend DWORD CreateHeldDirectory(const std::string&, const std::string&, HeldDirectory*);
  friend bool HoldDirectory(const std::string&, HeldDirectory*);
  void Pin(HANDLE handle, const std::string& path);

  HANDLE handle_ = nullptr;
  std::string path_;  // the path the hold was taken by
  std::string pinned_path_;
};

// Creates the directory `path` with the access rules `sddl` (none given when empty, so
// they are inherited), and holds it from that same call on: there is no moment at which
// the new directory exists without its rules or unheld. 0 on success, else the system's
// error code; ERROR_ALREADY_EXISTS when anything of that name exists.
DWORD CreateHeldDirectory(const std::string& path, const std::string& sddl, HeldDirectory* hold);

// Holds the existing directory `path` (a link is held as the link). False when it cannot
// be opened as a directory.
bool HoldDirectory(const std::string& path, HeldDirectory* hold);

#endif  // PLATFORM_HELD_DIRECTORY_WIN32_H_
