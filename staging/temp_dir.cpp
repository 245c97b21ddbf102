#include "staging/temp_dir.h"

#include "platform/char_class.h"
#include "platform/text_buffer.h"

bool IsUsableTempValue(std::string_view value) {
  if (value.size() < 2 || value.size() > kMaxTextLength) return false;
  bool drive_form =
      value.size() >= 3 && IsAlphaChar(value[0]) && value[1] == ':' && value[2] == '\\';
  if (!drive_form && value[0] != '\\') return false;
  std::string_view remainder = drive_form ? value.substr(2) : value;
  return remainder.find_first_of("/*?<>:|;") == std::string_view::npos;
}

std::string ChooseTempDir(const char* temp, const char* tmp) {
  const char* value = temp != nullptr ? temp : tmp;
  std::string dir = value != nullptr && IsUsableTempValue(value) ? value : kDefaultTempDir;
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  return dir;
}

std::string ScratchBaseName(std::string_view temp_dir, std::string_view timestamp) {
  return std::string(temp_dir) + "\\VelInstall" + std::string(timestamp);
}

std::string ScratchCandidate(std::string_view base_name, int n) {
  std::string candidate(base_name);
  if (n > 0) candidate += "_" + std::to_string(n);
  return candidate;
}
