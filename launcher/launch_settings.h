// What the command line asks for: set once by ParseOptions (the launcher's own path by
// the entry point), read by the launch sequence and what it passes the settings to.
#ifndef LAUNCHER_LAUNCH_SETTINGS_H_
#define LAUNCHER_LAUNCH_SETTINGS_H_

#include <ctime>
#include <string>

struct LaunchSettings {
  // -SILENT, -DEBUG, -NOCONSOLE and -BOOTSTRAPONLY are not here: ParseOptions sets
  // them in the run's flags (messages/run_flags.h), which the console reads too.
  // Modes and switches, one per row of the option table.
  bool preclone_setup = false;
  bool update_node_list = false;
  bool attach_home = false;
  bool relink = false;
  bool cleanup = false;
  bool save_inventory = false;
  bool remove_home = false;
  bool no_bootstrap = false;
  bool print_time = false;
  bool detach_home = false;
  bool update_home_deps = false;
  bool add_node = false;
  bool prereq_checker = false;
  bool wait_for_completion = false;
  bool help = false;
  bool memory = false;
  bool ignore_sys_prereqs = false;
  bool execute_sys_prereqs = false;
  bool one_click = false;

  // Value options.
  std::string param_file;
  std::string scratch_path;
  bool scratch_path_given = false;
  std::string startup_location;
  bool startup_location_given = false;
  std::string jre_location;
  bool jre_location_given = false;

  // Assigned values (NAME=value on the command line).
  std::string bootstrap_location;
  std::string prereq_config_location;
  bool prereq_config_from_source = false;
  std::string prereq_log_location;

  // Java options after "-J", kept off the command line passed on to the installer.
  bool has_java_options = false;
  std::string java_options;
  bool memory_given_by_java_option = false;

  std::string timestamp;

  // The launcher's own module path, passed on to the installer; the launch sets it from
  // the argument vector's first element.
  std::string execution_location;

  // The upper-case copy of the last argument element, quoted by the medium check.
  std::string last_element_upper;
};

// The launch time as the launcher names its files: "2010-11-05_09-41-07AM".
std::string FormatTimestamp(std::time_t when);

#endif  // LAUNCHER_LAUNCH_SETTINGS_H_
