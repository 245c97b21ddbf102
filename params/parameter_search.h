// Where velparam.ini is looked for.
#ifndef PARAMS_PARAMETER_SEARCH_H_
#define PARAMS_PARAMETER_SEARCH_H_

#include <string>
#include <string_view>
#include <vector>

// The drive and directory of `module_path` without a trailing backslash:
// "D:\disk1\setup.exe" -> "D:\disk1"; "D:\setup.exe" -> "D:"; "setup.exe" -> "".
std::string LauncherDirectoryOf(std::string_view module_path);

// The startup directory from the module path: without a leading ".\", cut at its last
// backslash, "." when it has none. "D:\disk1\setup.exe" -> "D:\disk1".
std::string StartupDirectoryOf(std::string_view module_path);

// The four places searched, in order: velparam.ini in the startup directory, in its
// parent (written with ".."), in the launcher directory and in its parent.
std::vector<std::string> ParameterFileCandidates(std::string_view startup_dir,
                                                 std::string_view launcher_dir);

#endif  // PARAMS_PARAMETER_SEARCH_H_
