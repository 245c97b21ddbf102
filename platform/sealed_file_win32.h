// The files of a sealed medium (platform/sealed_medium.h), checked as the launcher comes
// to use them. For an unsealed medium each call does nothing and succeeds.
//
// A file of the medium is opened without write or delete sharing, so that from then on
// nobody can change or replace it, hashed through that handle, and held so until the
// launcher ends; what the launcher reads or starts is that same file. What staging copies
// is checked in the scratch directory, where only the launcher can change it. A failed
// check records the file (SealedMedium::Break); the launch stops on it.
#ifndef PLATFORM_SEALED_FILE_WIN32_H_
#define PLATFORM_SEALED_FILE_WIN32_H_

#include <memory>
#include <string>

#include "platform/medium_seal.h"

// Takes `seal`, read from the launcher's own image: for a sealed one, holds and checks
// the list in `launcher_dir` and sets g_sealed_medium. A list that is missing, differs
// from the seal or cannot be read, and a seal of an unknown format, break the seal.
void OpenMediumSeal(const SealBytes& seal, const std::string& launcher_dir);

// Holds the medium's file at `path` and checks it. A file that is neither there nor
// listed is fine: nothing is read from it. False when it is missing, differs or is not
// listed.
bool HoldMediumFile(const std::string& path);

// Lets go of every file HoldMediumFile holds. The launcher holds them until it ends; a
// test lets go to remove what it made.
void ReleaseMediumFiles();

// Copies the files of a sealed medium, hashing the very bytes it writes on a thread of
// its own, so that hashing takes hardly any of the copy's time. The copies lie in the
// scratch directory, which only the launcher can change, so what was hashed is what
// stays; one that is not the file as sealed is deleted. For a sealed medium only.
class SealedCopies {
 public:
  SealedCopies();
  // Waits for the checks still going.
  ~SealedCopies();
  SealedCopies(const SealedCopies&) = delete;
  SealedCopies& operator=(const SealedCopies&) = delete;

  // Copies `source` over `copy`, as CopyFile does. False with the system's `*error` when
  // it cannot, or with ERROR_INVALID_DATA when the list does not name `source`.
  bool Copy(const std::string& source, const std::string& copy, unsigned long* error);
  // Waits for every check: the source of the first copy that was not as sealed, or empty.
  std::string Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

#endif  // PLATFORM_SEALED_FILE_WIN32_H_
