// Finding and reading velparam.ini.
//
// The file is the one -paramFile names, else the first of velparam.ini beside the
// startup directory, in its parent, beside the launcher and in its parent. Each place
// that misses is noted in the installer log; the file used is reported with its
// absolute path. Before the search the scratch directory is created (unless
// -BOOTSTRAPONLY or -rscratchPath) and the log opened, so the search can be logged.
#ifndef PARAMS_PARAMETER_FILE_H_
#define PARAMS_PARAMETER_FILE_H_

#include <string>

#include "params/parameter_keys.h"

struct LaunchSettings;
struct ParameterSettings;

// Finds the parameter file and reads its keys into `*params`. `params->path` holds the
// -paramFile value on entry and the absolute path of the file used on return;
// `params->jre_location` holds the -jreLoc value. Returns 0 when the file was read (the
// working directory is then the startup directory and `*startup_dir` the launcher
// directory), -1 when the scratch directory cannot be made or the launcher directory
// cannot be found after the search, -2 when no parameter file exists (after
// S_ERVELPARAMNFD).
int ReadParameterFile(const LaunchSettings& launch, std::string* startup_dir,
                      std::string* scratch_path, ParameterSettings* params);

// A key reader on section Velmor of the file at `path`, through GetPrivateProfileStringA.
KeyReader ProfileKeyReader(const std::string& path);

// The launcher directory from the module path; false after S_ERGOSLST on the console.
bool GetLauncherDirectory(std::string* directory);

#endif  // PARAMS_PARAMETER_FILE_H_
