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

// Creates the scratch directory for the launch made at `timestamp`, holds it in `*hold`
// and stores the path the hold pinned in `*scratch_path`: every later step uses that
// path, never the one through TEMP, which the user may redirect meanwhile. 0 on success;
// -1 after S_ERPERDIR when the temporary directory is unusable (`*scratch_path` then
// holds it), when every name is taken, or when the path would pass 1023 characters;
// -1 after S_ERR_USER_UNKNOWN when an elevated launcher cannot tell whose launch it is;
// -1 without a report when the creation itself fails.
//
// An elevated launcher never creates a missing TEMP, and stages under the system's
// protected temporary directory (ProtectedTempDir) when TEMP's volume would not keep
// the directory's rules. `*outside_temp` tells whether the directory is elsewhere than
// in TEMP (or TMP).
int CreateScratchDir(const std::string& timestamp, std::string* scratch_path, HeldDirectory* hold,
                     bool* outside_temp);

// Holds the scratch directory the command line gave (`*scratch_path`) for the run and
// sets `*scratch_path` to the path the hold pinned. An elevated launcher uses it only
// when it is a directory, not a link, and only administrators can change it
// (IsAdministratorsOnlyDescriptor); otherwise -1 after S_ERR_SCRATCH_NOT_PROTECTED. Not
// elevated, a directory that cannot be held is used as given. 0 to go on.
int HoldGivenScratchDir(std::string* scratch_path, HeldDirectory* hold);

// Whether the held scratch directory is still where its hold pinned it, so that what is
// started from it (unzip, the Java program) is what was staged; false after
// S_ERR_SCRATCH_MOVED. True when nothing is held.
bool IsScratchInPlace(const HeldDirectory& hold);

#endif  // STAGING_SCRATCH_DIR_H_
