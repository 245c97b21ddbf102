// Where the installer log goes, given what is known of the launch.
#ifndef MESSAGES_LOG_LOCATION_H_
#define MESSAGES_LOG_LOCATION_H_

#include <string>
#include <string_view>

// The log directory: "<override>\logs" when there is an override, else
// "<inst_loc>\logs" when the inventory location is known, else the fallback directory
// (the scratch directory) unchanged.
std::string ChooseLogDirectory(std::string_view override_directory, std::string_view inst_loc,
                               std::string_view fallback_directory);

// "<prefix><timestamp>.log": ("installActions", "T") gives "installActionsT.log".
std::string LogFileName(std::string_view prefix, std::string_view timestamp);

// The log file `file_name` in `directory`: ("C:\Inv\logs", "installActionsT.log") gives
// "C:\Inv\logs\installActionsT.log".
std::string LogFilePath(std::string_view directory, std::string_view file_name);

#endif  // MESSAGES_LOG_LOCATION_H_
