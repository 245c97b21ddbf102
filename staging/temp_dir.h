// Choosing the temporary directory and naming the scratch directory under it.
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

// "<temp>\VelInstall<timestamp>", and with n > 0 the same followed by "_<n>".
std::string ScratchBaseName(std::string_view temp_dir, std::string_view timestamp);
std::string ScratchCandidate(std::string_view base_name, int n);

// The largest n of ScratchCandidate that the launcher tries.
constexpr int kLastScratchNumber = 1024;

// Whether `name`, the last name of a path, is one the launcher gives its scratch
// directories: "VelInstall", a timestamp as the launcher writes it (strftime
// "%Y-%m-%d_%I-%M-%S%p": "2010-11-05_09-41-07PM", AM or PM), then nothing or "_<n>" with
// n from 1 to kLastScratchNumber in decimal without a leading zero.
bool IsScratchDirectoryName(std::string_view name);

#endif  // STAGING_TEMP_DIR_H_
