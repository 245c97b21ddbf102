// The launch sequence's decisions that need no system call.
#ifndef LAUNCHER_LAUNCH_RULES_H_
#define LAUNCHER_LAUNCH_RULES_H_

#include <string>

struct LaunchSettings;
struct ParameterSettings;

// The largest BOOTSTRAP_SIZE accepted, in megabytes.
constexpr int kMaxBootstrapMegabytes = 2047;

// "Prerequisite Checker" under -PREREQCHECKER, else "Tavrun Installer".
const char* ProductTitle(const LaunchSettings& launch);

// BOOTSTRAP_SIZE read as atoi does: leading blanks, a sign, digits; anything else
// ends the number. Values beyond the int range are clamped, so they stay out of range.
int ParseBootstrapSize(const std::string& text);

// Whether the launcher waits for the installer: always for an installed home (no
// staging), for clean-up and save inventory, with -WAITFORCOMPLETION, or when
// WAIT_FOR_COMPLETION begins with an upper-case T.
bool ShouldWaitForInstaller(const LaunchSettings& launch, const ParameterSettings& params);

// The bootstrap message: "<only>  <wait>" when staging only, else "<msg> <scratch>. <wait>".
std::string BootstrapMessage(bool bootstrap_only, const std::string& bootstrap_msg,
                             const std::string& bootstrap_only_msg, const std::string& wait_msg,
                             const std::string& scratch_path);

// Whether the scratch tree may be removed after the installer: the one this launch
// made, or a given one (-rscratchPath) whose last name, trailing backslashes aside, is
// exactly a scratch directory's (IsScratchDirectoryName, platform/medium_layout.h:
// "...\VelInstall2010-11-05_09-41-07PM_2"), so that a mistyped path never wipes a
// user's folder.
bool IsRemovableScratchPath(const std::string& path, bool made_by_this_launch);

#endif  // LAUNCHER_LAUNCH_RULES_H_
