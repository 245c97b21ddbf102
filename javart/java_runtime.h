// The Java runtime the installer runs on: where it comes from and whether it will do.
//
// The runtime is -jreLoc, else JRE_LOCATION (or a staged copy under JRE_SCRATCH_LOC),
// else asked for at the console. A runtime named on the command line or typed at the
// prompt is used in place ("external") and checked against USEJREONLY / USEJDKONLY
// before the installer starts; a staged one is trusted.
#ifndef JAVART_JAVA_RUNTIME_H_
#define JAVART_JAVA_RUNTIME_H_

#include <string>

struct ParameterSettings;

// What the command line says that the runtime choice depends on, and how the
// installer log it writes to is named.
struct RuntimeOptions {
  bool jre_location_given = false;  // -jreLoc
  bool no_console = false;
  bool bootstrap_only = false;
  std::string timestamp;
  std::string log_prefix;
};

// Whether `home` holds lib\rt.jar or, failing that, lib\core.jar.
bool LooksLikeJre(const std::string& home);

// 0 when the runtime at `home` suits USEJREONLY and USEJDKONLY, or when it is not
// checked (neither -jreLoc nor `external`); -1 after S_INVALID_JDK_HOME or
// S_INVALID_JRE_HOME on the console and in the open installer log.
int CheckRuntimeKind(const std::string& home, bool external, const RuntimeOptions& options,
                     const ParameterSettings& params);

// Asks at the console until the user types a directory holding bin\java.exe, and
// stores it in `*answer`. Returns 0, or -1 when standard input ends or fails first.
// Answers longer than 1023 characters are refused like an invalid directory.
int PromptForJavaHome(const ParameterSettings& params, std::string* answer);

// Decides, before staging, whether the runtime is used in place, asking for one when
// none is named. Returns true to go on; false when the run ends, with `*exit_code`
// (-1: no runtime and no console, or input ended at the prompt; 0: the prompt is
// disabled).
// `scratch_path` is where the installer log goes when nothing else is known.
bool DecideExternalRuntime(const RuntimeOptions& options, const std::string& scratch_path,
                           ParameterSettings* params, bool* external, int* exit_code);

#endif  // JAVART_JAVA_RUNTIME_H_
