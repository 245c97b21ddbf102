// The layout of an installation medium and of the launcher's scratch directory: the
// one place that names them.
//
// A distribution medium keeps each component's archives in
// "..\stage\Components\<id>\<version>\1\DataFiles", relative to the launcher directory.
// The scratch directory is "<temp>\VelInstall<timestamp>", or with "_1" ... "_1024" when
// that name is taken; the launcher's timestamp is strftime "%Y-%m-%d_%I-%M-%S%p".
#ifndef PLATFORM_MEDIUM_LAYOUT_H_
#define PLATFORM_MEDIUM_LAYOUT_H_

#include <string>
#include <string_view>

// The components the launcher knows by id.
constexpr char kInstallerId[] = "velmor.swd.tav";
constexpr char kInstallerCoreId[] = "velmor.swd.tav.core";
constexpr char kPatchToolId[] = "velmor.swd.patchel";
constexpr char kRuntimeId[] = "velmor.swd.jre";

// "..\stage\Components\<id>\<version>\1\DataFiles", without a trailing backslash.
std::string ComponentDataFiles(std::string_view id, std::string_view version);

// "<temp>\VelInstall<timestamp>", and with n > 0 the same followed by "_<n>".
std::string ScratchBaseName(std::string_view temp_dir, std::string_view timestamp);
std::string ScratchCandidate(std::string_view base_name, int n);

// The largest n of ScratchCandidate that the launcher tries.
constexpr int kLastScratchNumber = 1024;

// Whether `name`, the last name of a path, is one the launcher gives its scratch
// directories: "VelInstall", a timestamp as the launcher writes it
// ("2010-11-05_09-41-07PM", AM or PM), then nothing or "_<n>" with n from 1 to
// kLastScratchNumber in decimal without a leading zero.
bool IsScratchDirectoryName(std::string_view name);

#endif  // PLATFORM_MEDIUM_LAYOUT_H_
