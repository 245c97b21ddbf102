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

bool ProfileTextOf(const std::string& bytes, std::string* text) {
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) return false;
  bool utf8_mark = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
  *text = utf8_mark ? bytes.substr(3) : bytes;
  return true;
}

std::vector<ProfileEntry> ListProfileEntries(std::string_view text, std::string_view section) {
  std::vector<ProfileEntry> entries;
  bool in_section = false;
  int number = 0;
  while (!text.empty()) {
    // A line ends at a line feed, a carriage return, or both in that order.
    std::size_t end = text.find_first_of("\r\n");
    std::string_view line = Trim(text.substr(0, end));
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
        text[next] == '\n') {
      ++next;
    }
    text.remove_prefix(next);
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
    entries.push_back({std::string(Trim(line.substr(0, equals))), std::string(value), number,
                       equals != std::string_view::npos});
  }
  return entries;
}

std::string ReadProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             const std::string& default_value) {
  for (const ProfileEntry& entry : ListProfileEntries(text, section)) {
    if (SameIgnoringAsciiCase(entry.key, key)) {
      return entry.has_equals ? Bounded(entry.value) : default_value;
    }
  }
  return default_value;
}
