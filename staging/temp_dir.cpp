#include "staging/temp_dir.h"

#include <cstddef>

#include "platform/char_class.h"
#include "platform/path_join.h"
#include "platform/text_buffer.h"

namespace {

constexpr std::string_view kScratchPrefix = "VelInstall";
// The launcher's timestamp up to AM or PM, '9' standing for a digit.
constexpr std::string_view kTimestampShape = "9999-99-99_99-99-99";

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// "_<n>", n from 1 to kLastScratchNumber without a leading zero.
bool IsScratchNumberSuffix(std::string_view suffix) {
  if (suffix.size() < 2 || suffix.size() > 5 || suffix[0] != '_' || suffix[1] == '0') {
    return false;
  }
  int n = 0;
  for (char c : suffix.substr(1)) {
    if (!IsDecimalDigit(c)) return false;
    n = n * 10 + (c - '0');
  }
  return n <= kLastScratchNumber;
}

}  // namespace

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

std::string ScratchBaseName(std::string_view temp_dir, std::string_view timestamp) {
  return std::string(temp_dir) + "\\" + std::string(kScratchPrefix) + std::string(timestamp);
}

std::string ScratchCandidate(std::string_view base_name, int n) {
  std::string candidate(base_name);
  if (n > 0) candidate += "_" + std::to_string(n);
  return candidate;
}

bool IsScratchDirectoryName(std::string_view name) {
  if (name.substr(0, kScratchPrefix.size()) != kScratchPrefix) return false;
  std::string_view rest = name.substr(kScratchPrefix.size());
  if (rest.size() < kTimestampShape.size() + 2) return false;
  for (std::size_t i = 0; i < kTimestampShape.size(); ++i) {
    bool fits = kTimestampShape[i] == '9' ? IsDecimalDigit(rest[i]) : rest[i] == kTimestampShape[i];
    if (!fits) return false;
  }
  std::string_view half_day = rest.substr(kTimestampShape.size(), 2);
  if (half_day != "AM" && half_day != "PM") return false;
  std::string_view suffix = rest.substr(kTimestampShape.size() + 2);
  return suffix.empty() || IsScratchNumberSuffix(suffix);
}
