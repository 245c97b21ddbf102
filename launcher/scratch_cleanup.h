// Removing the scratch directory once the installer has ended, without losing the
// installer log that may lie in it.
#ifndef LAUNCHER_SCRATCH_CLEANUP_H_
#define LAUNCHER_SCRATCH_CLEANUP_H_

#include <string>

// Removes the scratch tree at `scratch_path`. An installer log inside it (`log_path`)
// is first moved into `temp_dir` under its own name and `*kept_log` set to its new
// path; when it cannot be moved (a file of that name is already there), nothing is
// removed and `*kept_log` is the log where it lies. A log elsewhere leaves `*kept_log`
// empty.
void RemoveScratchKeepingLog(const std::string& scratch_path, const std::string& log_path,
                             const std::string& temp_dir, std::string* kept_log);

#endif  // LAUNCHER_SCRATCH_CLEANUP_H_
