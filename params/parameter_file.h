// Finding and reading velparam.ini.
//
// The file is the one -paramFile names, else the first of velparam.ini beside the
// startup directory, in its parent, beside the launcher and in its parent. Each place
// that misses is noted in the installer log; the file used is reported with its
// absolute path. The installer log is opened before the search, so the search can be
// logged.
#ifndef PARAMS_PARAMETER_FILE_H_
#define PARAMS_PARAMETER_FILE_H_

#include <string>

#include "params/parameter_keys.h"

struct ParameterSettings;

// What reading the parameter file needs to know of the launch.
struct ParameterFileRequest {
  // Where the installer log goes when neither an override nor inst_loc says otherwise:
  // the scratch directory, or BOOTSTRAP_LOC under -BOOTSTRAPONLY.
  std::string log_directory;
  std::string timestamp;
  std::string log_prefix;
  bool debug = false;
  ParameterOverrides overrides;
};

// Finds the parameter file and reads its keys into `*params`. `params->path` holds the
// -paramFile value on entry and the absolute path of the file used on return;
// `params->jre_location` holds the -jreLoc value. Returns 0 when the file was read
// (`*startup_dir` is then the launcher directory), -1 when the launcher directory cannot
// be found after the search, -2 when no parameter file exists (after S_ERVELPARAMNFD).
// The working directory is left alone. `scratch_path` is the scratch
// directory, which JRE_SCRATCH_LOC is relative to.
int ReadParameterFile(const ParameterFileRequest& request, std::string* startup_dir,
                      const std::string& scratch_path, ParameterSettings* params);

// A key reader on section Velmor of the file at `path`, through GetPrivateProfileStringA.
KeyReader ProfileKeyReader(const std::string& path);

// The launcher directory from the module path; false after S_ERGOSLST on the console.
bool GetLauncherDirectory(std::string* directory);

#endif  // PARAMS_PARAMETER_FILE_H_
