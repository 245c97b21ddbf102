#include "staging/temp_dir.h"

#include "platform/char_class.h"
#include "platform/path_join.h"
#include "platform/text_buffer.h"

bool IsUsableTempValue(std::string_view value) {
  if (value.size() < 2 || value.size() > kMaxTextLength) return false;
  bool drive_form =
      value.size() >= 3 && IsAlphaChar(value[0]) && value[1] == ':' && value[2] == '\\';
  if (!drive_form && value[0] != '\\') return false;
  std::string_view remainder = drive_form ? value.substr(2) : value;
  return remainder.find_first_of("/*?<>:|;") == std::string_view::npos;
}

std::string ChooseTempDir(const TempDirSources& sources) {
  const char* value = sources.temp != nullptr ? sources.temp : sources.tmp;
  std::string windows_temp =
      IsUsableTempValue(sources.windows_dir) ? JoinPath(sources.windows_dir, "Temp") : "";
  std::string dir = value != nullptr && IsUsableTempValue(value) ? value
                    : IsUsableTempValue(sources.system_temp)     ? sources.system_temp
                    : IsUsableTempValue(windows_temp)            ? windows_temp
                                                                 : "";
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  return dir;
}

bool KeepsAccessRules(std::string_view final_path, bool persistent_acls, bool remote_volume) {
  bool unc = final_path.size() >= 2 && final_path[0] == '\\' && final_path[1] == '\\';
  return persistent_acls && !remote_volume && !unc;
}

std::string ProtectedTempDir(std::string_view windows_dir, bool system_temp_exists) {
  return JoinPath(windows_dir, system_temp_exists ? "SystemTemp" : "Temp");
}
