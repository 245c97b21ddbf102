#include "messages/log_location.h"

#include "platform/path_join.h"

std::string ChooseLogDirectory(std::string_view override_directory, std::string_view inst_loc,
                               std::string_view fallback_directory) {
  if (!override_directory.empty()) return JoinPath(override_directory, "logs");
  if (!inst_loc.empty()) return JoinPath(inst_loc, "logs");
  return std::string(fallback_directory);
}

std::string LogFileName(std::string_view prefix, std::string_view timestamp) {
  return std::string(prefix) + std::string(timestamp) + ".log";
}

std::string LogFilePath(std::string_view directory, std::string_view file_name) {
  return JoinPath(directory, file_name);
}
