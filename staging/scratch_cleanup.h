// Removing the scratch directory once the installer has ended, without losing the
// installer log that may lie in it.
#ifndef STAGING_SCRATCH_CLEANUP_H_
#define STAGING_SCRATCH_CLEANUP_H_

#include <string>

class HeldDirectory;

// Removes the scratch tree at `scratch_path`, held by `hold` until only its empty root is
// left. An installer log inside it (`log_path`) is first written anew into `temp_dir`
// under its own name, as the user's file, and `*kept_log` set to its new path. The new
// file is made only where no file, link or anything else of that name is, and only when
// it really lies in `temp_dir`; otherwise nothing is removed and `*kept_log` is the log
// where it lies. A log elsewhere leaves `*kept_log` empty.
void RemoveScratchKeepingLog(const std::string& scratch_path, HeldDirectory* hold,
                             const std::string& log_path, const std::string& temp_dir,
                             std::string* kept_log);

#endif  // STAGING_SCRATCH_CLEANUP_H_
