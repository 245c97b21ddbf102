// Expanding a directory of jar archives with the unzip program of the launcher directory.
//
// The launcher does not read archives itself: it runs "<unzip dir>\unzip" (the command of
// staging/unzip_command.h) hidden, as the root of a new process group that inherits the
// launcher's handles, environment and working directory (relative sources are resolved
// from there), waits for it and judges it by its exit code. The installer log gets
// S_UNZIP_COMMANDLINE and the command text, run or not. Only a missing source directory
// is reported to the user, since that is what a broken medium looks like; any other
// failure is left to the caller.
#ifndef STAGING_ARCHIVE_EXPANSION_H_
#define STAGING_ARCHIVE_EXPANSION_H_

#include <string>

// Expands every jar in `source` into `destination` (creating the directory, with its
// parents, when missing), overwriting what is there. 0 when unzip exited with 0, else -1;
// S_UNZIP_FAILED goes to the log and to ShowError when the source directory is missing.
// `debug` lets unzip list the files it writes.
int ExpandJars(const std::string& source, const std::string& destination,
               const std::string& unzip_dir, bool debug);

#endif  // STAGING_ARCHIVE_EXPANSION_H_
