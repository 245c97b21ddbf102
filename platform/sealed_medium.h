// A sealed medium as one run sees it: the list of its files with their SHA-256 (the
// velseal.sha256 beside setup.exe, whose own digest is the seal) and the first file
// found not as sealed. Files are named by their path relative to the launcher
// directory, as the list names them ("resource/cons.nls", "../velparam.ini"), and
// compared without ASCII case, as the system compares names.
#ifndef PLATFORM_SEALED_MEDIUM_H_
#define PLATFORM_SEALED_MEDIUM_H_

#include <map>
#include <string>
#include <string_view>

class SealedMedium {
 public:
  // Takes the list `text` of the medium whose launcher directory is `launcher_dir` (a
  // full path). False when a line is not "<64 hex digits>  <path>", or a path repeats.
  bool Load(const std::string& launcher_dir, std::string_view text);

  // Gives the file at `full_path` the digest `hex`, as if listed: for the two files the
  // list cannot name, itself and the setup.exe that holds its seal.
  void Add(const std::string& full_path, const std::string& hex);

  // The digest the list gives the file at `full_path`; nullptr when it is not listed.
  const std::string* Find(const std::string& full_path) const;

  // Records `file` as not as sealed: the first one recorded is the one reported.
  void Break(const std::string& file);
  bool broken() const { return !broken_file_.empty(); }
  const std::string& broken_file() const { return broken_file_; }

 private:
  std::string launcher_dir_;
  std::map<std::string, std::string> digests_;  // lower-case relative path -> hex digest
  std::string broken_file_;
};

// The medium of this run when its setup.exe is sealed; nullptr when it is not.
extern SealedMedium* g_sealed_medium;

// `full_path` relative to the directory `base` (both full paths, "\" or "/" between
// names), with "/" between names and ".." for each level above `base`, lower-cased in
// ASCII; empty when the two lie on different drives or shares.
std::string RelativeMediumPath(const std::string& base, const std::string& full_path);

// Whether the full path `path` is the directory `directory` or lies below it, by the
// same comparison.
bool IsWithinDirectory(const std::string& directory, const std::string& path);

#endif  // PLATFORM_SEALED_MEDIUM_H_
