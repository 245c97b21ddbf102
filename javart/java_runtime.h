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

// Whether `home` holds lib\rt.jar or, failing that, lib\core.jar.
bool LooksLikeJre(const std::string& home);

// 0 when the runtime at `params.locations.jre` suits USEJREONLY and USEJDKONLY, or when
// it is not checked (neither -jreLoc, `jre_location_given`, nor used in place); -1 after
// S_INVALID_JDK_HOME or S_INVALID_JRE_HOME on the console and in the open installer log.
int CheckRuntimeKind(bool jre_location_given, const ParameterSettings& params);

// Asks at the console until the user types a directory holding bin\java.exe, and
// stores it in `*answer`. Returns 0, or -1 when standard input ends or fails first.
// Answers longer than 1023 characters are refused like an invalid directory.
int PromptForJavaHome(const ParameterSettings& params, std::string* answer);

// How the runtime choice ended.
enum class RuntimeDecision {
  kGoOn,
  kNoRuntime,       // no runtime and no console, or input ended at the prompt
  kPromptDisabled,  // none named and DISABLE_JRE_PROMPT: reported, and the run ends
};

// Decides, before staging, whether the runtime is used in place, asking for one when
// none is named; sets `params->locations` (the typed answer, and whether the runtime
// is used in place). `jre_location_given` is -jreLoc.
RuntimeDecision DecideExternalRuntime(bool jre_location_given, ParameterSettings* params);

#endif  // JAVART_JAVA_RUNTIME_H_
