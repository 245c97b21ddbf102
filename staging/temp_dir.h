// Choosing the temporary directory (the scratch directory's name: platform/medium_layout.h).
#ifndef STAGING_TEMP_DIR_H_
#define STAGING_TEMP_DIR_H_

#include <string>
#include <string_view>

// Whether an environment value can be the temporary directory: at least two
// characters, at most 1023, a drive form ("C:\...") or a leading backslash, and none
// of / * ? < > : | ; after the drive's own colon.
bool IsUsableTempValue(std::string_view value);

// Where the launcher's temporary directory comes from, in the order tried.
struct TempDirSources {
  const char* temp = nullptr;  // TEMP, null when not set
  const char* tmp = nullptr;   // TMP, read only when TEMP is not set at all
  std::string system_temp;     // the system's own (GetTempPathW), "" when not to be had
  std::string windows_dir;     // the Windows directory, whose "Temp" comes last
};

// The temporary directory: TEMP (or TMP) when usable; else the system's temporary
// directory when usable; else "<Windows directory>\Temp". Never a shared folder such as
// C:\TEMP, which another user may own. One trailing backslash is removed: "C:\" gives
// "C:". "" when not even the Windows directory is usable.
std::string ChooseTempDir(const TempDirSources& sources);

// Whether a scratch directory at `final_path` keeps the access rules it is created with:
// not on a volume without persistent access lists (FAT, exFAT), nor on a remote one (a
// UNC path, a mapped network drive, WebDAV), where its rules would mean nothing.
bool KeepsAccessRules(std::string_view final_path, bool persistent_acls, bool remote_volume);

// The system's protected temporary directory, where an elevated launcher stages when
// TEMP cannot keep the scratch directory's rules: "<Windows directory>\SystemTemp"
// where that exists, else "<Windows directory>\Temp".
std::string ProtectedTempDir(std::string_view windows_dir, bool system_temp_exists);

#endif  // STAGING_TEMP_DIR_H_
