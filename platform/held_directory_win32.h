// A directory held open without sharing delete: while it is held, nobody can rename or
// remove it, nor put something else under its name; files and folders below it can
// still be created and removed.
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
  // Lets go: the directory can be removed (or renamed) again.
  void Release();

 private:
  friend DWORD CreateHeldDirectory(const std::string&, const std::string&, HeldDirectory*);
  friend bool HoldDirectory(const std::string&, HeldDirectory*);
  HANDLE handle_ = nullptr;
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
