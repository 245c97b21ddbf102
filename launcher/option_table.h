// The options and modes of the command line as one table (option_list.def): option
// recognition, the main class, the Java program and the wait all read their row, so
// that adding a mode is adding a row.
#ifndef LAUNCHER_OPTION_TABLE_H_
#define LAUNCHER_OPTION_TABLE_H_

#include <cstddef>

#include "launcher/launch_settings.h"
#include "launcher/main_class.h"
#include "messages/run_flags.h"

enum class OptionAction {
  kFlag,                  // sets the row's setting
  kBootstrapLocation,     // BOOTSTRAP_LOC=dir
  kPrereqLogLocation,     // -PREREQLOGLOC takes the next element
  kPrereqConfigLocation,  // PREREQ_CONFIG_LOCATION=dir
  kFromLocation,          // FROM_LOCATION=file
};

// Where a mode's main class comes from.
enum class ClassSource { kFixed, kInstallClass, kOneClickClass };

struct OptionRow {
  const char* name;
  OptionAction action;
  bool LaunchSettings::*flag;
  bool RunFlags::*run_flag;  // instead of `flag`, for the run's own flags
  bool sets_silent;
  const char* log_prefix;  // nullptr for none
  bool java_console;
  bool waits;
  // A mode: 0 for an option that is none; of the modes given, the lowest rank decides.
  int mode_rank;
  ClassSource class_source;
  const char* main_class;  // for kFixed
  BootstrapForcing forcing;
  bool refuses_distribution;
};

extern const OptionRow kOptionTable[];
extern const std::size_t kOptionCount;

// Whether the option of `row` was given (its setting is on).
bool IsOptionSet(const OptionRow& row, const LaunchSettings& launch);

// What the installer log's file name begins with: the log prefix of the last row given
// that has one, in the table's order; "installActions" without one.
const char* LogPrefixOf(const LaunchSettings& launch);

#endif  // LAUNCHER_OPTION_TABLE_H_
