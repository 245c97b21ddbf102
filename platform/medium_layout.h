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

// "..\stage\Components\<id>\<version>\1\DataFiles", without a trailing backslash.
std::string ComponentDataFiles(std::string_view id, std::string_view version);

// The scratch directory's folders that hold no component (those are in the component
// table): the images, the prerequisite definitions, and the extensions, each kind in its
// own folder under "ext".
constexpr char kScratchImagesFolder[] = "images";
constexpr char kScratchPrereqFolder[] = "prereq";
constexpr char kExtensionJars[] = "jlib";
constexpr char kExtensionLibraries[] = "lib";
constexpr char kExtensionPrograms[] = "bin";

// "<scratch>\ext", and "<scratch>\ext\<kind>" for a kind of extension.
std::string ScratchExtensionFolder(std::string_view scratch_path);
std::string ScratchExtensionFolder(std::string_view scratch_path, std::string_view kind);

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
