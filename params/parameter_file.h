// Finding and reading velparam.ini.
//
// The file is the one -paramFile names, else the first of velparam.ini beside the
// startup directory, in its parent, beside the launcher and in its parent. Each place
// that misses is noted in the installer log; the file used is reported with its
// absolute path. The installer log is opened before the search, so the search can be
// logged.
#ifndef PARAMS_PARAMETER_FILE_H_
#define PARAMS_PARAMETER_FILE_H_

#include <functional>
#include <string>

#include "params/parameter_keys.h"

struct ParameterSettings;

// What finding and reading the parameter file came to.
enum class ParameterFileStatus {
  kRead,
  kNotFound,  // no parameter file exists, after S_ERVELPARAMNFD
};

// What reading the parameter file asks of the system: a reader of the Velmor section
// of the file at a path (ProfileKeyReader), and, before any key is read, the hold of a
// sealed medium's file as sealed (HoldMediumFile: false when it is not).
struct ParameterFileAccess {
  std::function<KeyReader(const std::string& path)> key_reader;
  std::function<bool(const std::string& path)> hold_medium_file;
};

// Finds the parameter file and reads its keys into `*params`. `params->path` holds the
// -paramFile value on entry and the absolute path of the file used on return;
// `params->locations.jre` holds the -jreLoc value. `launcher_dir` is the directory of
// setup.exe (LauncherDirectoryOf its module path); when the file was read,
// `*startup_dir` is that directory. The working directory is left alone.
// `scratch_path` is the scratch directory, which JRE_SCRATCH_LOC is relative to.
ParameterFileStatus ReadParameterFile(const ParameterOverrides& overrides,
                                      const std::string& launcher_dir, std::string* startup_dir,
                                      const std::string& scratch_path, ParameterSettings* params,
                                      const ParameterFileAccess& access);

// A key reader on section Velmor of the file at `path` as it stands now: read once, and
// answered by GetPrivateProfileStringA's rules (params/profile_text.h).
KeyReader ProfileKeyReader(const std::string& path);

#endif  // PARAMS_PARAMETER_FILE_H_
