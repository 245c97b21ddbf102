#include "platform/medium_layout.h"

#include <cstddef>

#include "platform/path_join.h"

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

std::string ComponentDataFiles(std::string_view id, std::string_view version) {
  return "..\\stage\\Components\\" + std::string(id) + "\\" + std::string(version) +
         "\\1\\DataFiles";
}

std::string ScratchExtensionFolder(std::string_view scratch_path) {
  return JoinPath(scratch_path, "ext");
}

std::string ScratchExtensionFolder(std::string_view scratch_path, std::string_view kind) {
  return JoinPath(ScratchExtensionFolder(scratch_path), kind);
}

std::string ScratchBaseName(std::string_view temp_dir, std::string_view timestamp) {
  return JoinPath(temp_dir, std::string(kScratchPrefix) + std::string(timestamp));
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
