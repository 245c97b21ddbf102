// The values of velparam.ini's Velmor section that the launch needs.
#ifndef PARAMS_PARAMETER_SETTINGS_H_
#define PARAMS_PARAMETER_SETTINGS_H_

#include <cstddef>
#include <string>
#include <vector>

// BOOTSTRAP_COMPS holds at most this many component entries; further ones are ignored.
constexpr std::size_t kMaxBootstrapComponents = 16;

// The installer's main classes when INSTALL_CLASS and INSTALL_ONECLICK_CLASS are unset.
inline constexpr char kInstallerClass[] = "velmor.tavrun.cmd.TavInstaller";
inline constexpr char kOneClickInstallerClass[] = "velmor.tavrun.quick.TavOneClickInstaller";

// Where each component of the installer is: read from the parameter file (or the
// command line), moved to its staged copy by staging, to a typed answer by the runtime
// choice, made absolute before a staged start. Every step updates these in place.
struct ComponentLocations {
  std::string jre;
  // The runtime is used where it is (named by -jreLoc or typed at the prompt) rather
  // than staged, so its kind is checked before the start.
  bool jre_external = false;
  std::string tav;
  std::string tav_core;
  std::string patchel;
  std::string images;
  std::string prereq_config;
};

// Every key's value starts as the key's default (velmor_key_list.def), so that a launch
// whose parameter file was not read still sees the defaults.
struct ParameterSettings {
  ParameterSettings();

  // The absolute path of the parameter file in use.
  std::string path;

  // Flags keep their first character: on only when it is an upper-case 'T'.
  std::string distribution;
  bool distribution_mode = false;
  ComponentLocations locations;
  // The Java runtime is -jreLoc, else JRE_LOCATION; JRE_SCRATCH_LOC gives where a staged
  // runtime is expected inside the scratch directory.
  std::string jre_scratch_location;
  std::string access_dir;
  std::string jre_memory_options;
  std::string tav_version;
  std::string jre_version;
  // Switches: on only when exactly "TRUE".
  std::string use_jre_only;
  std::string use_jdk_only;
  std::string disable_jre_prompt;
  std::string bootstrap;
  std::string bootstrap_size;
  std::string jre_osdparam;
  std::string addto_classpath;
  std::string install_class;
  std::string install_oneclick_class;
  std::string wait_for_completion;
  std::string copy_threads;
  std::string ext_jlib;
  std::string ext_lib;
  std::string ext_bin;
  std::string bootstrap_comps_text;
  std::vector<std::string> bootstrap_comps;
  std::string platform_prereqs;
  std::string source;
  std::string nls_enabled;
};

// Whether a flag value is on: its first character is an upper-case 'T'.
inline bool IsFlagOn(const std::string& value) { return !value.empty() && value[0] == 'T'; }

// Whether a switch value is on: exactly "TRUE".
inline bool IsSwitchOn(const std::string& value) { return value == "TRUE"; }

#endif  // PARAMS_PARAMETER_SETTINGS_H_
