#include "params/profile_text.h"

#include "platform/ascii_case.h"
#include "platform/text_buffer.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The section a header line names; false for a line that is no header.
bool HeaderName(std::string_view line, std::string_view* name) {
  if (line.empty() || line.front() != '[') return false;
  std::size_t close = line.rfind(']');
  if (close == std::string_view::npos) return false;
  *name = Trim(line.substr(1, close - 1));
  return true;
}

// At most kMaxTextLength bytes, cut back to the start of a UTF-8 character.
std::string Bounded(std::string_view value) {
  if (value.size() <= kMaxTextLength) return std::string(value);
  std::size_t end = kMaxTextLength;
  while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) --end;
  return std::string(value.substr(0, end));
}

}  // namespace

std::vector<ProfileEntry> ListProfileEntries(std::string_view text, std::string_view section) {
  std::vector<ProfileEntry> entries;
  bool in_section = false;
  int number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (line.empty()) continue;
    std::string_view name;
    if (HeaderName(line, &name)) {
      // Only the first section of the name counts.
      if (in_section) break;
      in_section = SameIgnoringAsciiCase(name, section);
      continue;
    }
    if (!in_section) continue;
    std::size_t equals = line.find('=');
    std::string_view value =
        equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    entries.push_back({std::string(Trim(line.substr(0, equals))), std::string(value), number});
  }
  return entries;
}

std::string ReadProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             const std::string& default_value) {
  for (const ProfileEntry& entry : ListProfileEntries(text, section)) {
    if (SameIgnoringAsciiCase(entry.key, key)) return Bounded(entry.value);
  }
  return default_value;
}
