// Choosing the temporary directory and naming the scratch directory under it.
#ifndef STAGING_TEMP_DIR_H_
#define STAGING_TEMP_DIR_H_

#include <string>
#include <string_view>

constexpr char kDefaultTempDir[] = "C:\\TEMP";

// Whether an environment value can be the temporary directory: at least two
// characters, at most 1023, a drive form ("C:\...") or a leading backslash, and none
// of / * ? < > : | ; after the drive's own colon.
bool IsUsableTempValue(std::string_view value);

// The temporary directory from the values of TEMP and TMP (null when not set). TMP is
// read only when TEMP is not set at all; an unusable value gives "C:\TEMP". One
// trailing backslash is removed: "C:\" gives "C:".
std::string ChooseTempDir(const char* temp, const char* tmp);

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
