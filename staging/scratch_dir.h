// The run's scratch directory under the temporary directory.
//
// It is named after the launch timestamp: <temp>\VelInstall2010-11-05_09-41-07PM, or
// with "_1" ... "_1024" when that name is taken. Each name is claimed by creating it;
// a name that already exists, even one made a moment before by someone else, is never
// used, so nobody can hand the launcher a directory of their own. It is created with
// access rules of its own (staging/scratch_security.h) and held from that moment on
// (platform/held_directory_win32.h), so it cannot be renamed or replaced while in use;
// staging/scratch_cleanup.h removes it.
#ifndef STAGING_SCRATCH_DIR_H_
#define STAGING_SCRATCH_DIR_H_

#include <string>

class HeldDirectory;

// The temporary directory without a trailing backslash: TEMP (or TMP), else the
// system's temporary directory, else the Windows directory's Temp (staging/temp_dir.h).
std::string GetTempDir();

// Whether TEMP (or TMP) names the temporary directory, rather than a fallback.
bool IsTempFromEnvironment();

// Creates the scratch directory for the launch made at `timestamp`, stores its path
// in `*scratch_path` and holds it in `*hold`. 0 on success;
// -1 after S_ERPERDIR when the temporary directory is unusable (`*scratch_path` then
// holds it), when every name is taken, or when the path would pass 1023 characters;
// -1 without a report when the creation itself fails.
int CreateScratchDir(const std::string& timestamp, std::string* scratch_path, HeldDirectory* hold);

#endif  // STAGING_SCRATCH_DIR_H_
