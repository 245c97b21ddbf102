#include "messages/catalogue_source.h"

#include <set>

#include "messages/catalogue.h"
#include "messages/format_check.h"
#include "messages/message_keys.h"

namespace {

bool IsKeyChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string LineError(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

// Reads a quoted string starting at `line[*pos]` (the opening quote) into `*text`.
bool ReadQuoted(std::string_view line, std::size_t* pos, std::string* text, std::string* what) {
  ++*pos;
  while (*pos < line.size()) {
    char c = line[(*pos)++];
    if (c == '"') return true;
    if (c != '\\') {
      *text += c;
      continue;
    }
    if (*pos >= line.size()) break;
    char e = line[(*pos)++];
    switch (e) {
      case 'n':
        *text += '\n';
        break;
      case 't':
        *text += '\t';
        break;
      case '\\':
        *text += '\\';
        break;
      case '"':
        *text += '"';
        break;
      default:
        *what = std::string("unknown escape \\") + e;
        return false;
    }
  }
  *what = "unterminated string";
  return false;
}

// Reads the quoted string that must fill the rest of `line` from `pos`.
bool ReadTextPart(std::string_view line, std::size_t pos, std::string* text, std::string* what) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos >= line.size() || line[pos] != '"') {
    *what = "expected a double-quoted text";
    return false;
  }
  if (!ReadQuoted(line, &pos, text, what)) return false;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos < line.size()) {
    *what = "unexpected text after the closing quote";
    return false;
  }
  return true;
}

}  // namespace

bool ParseCatalogueSource(std::string_view source, std::vector<SourceEntry>* entries,
                          std::string* error) {
  int number = 0;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = source.find('\n', start);
    if (end == std::string_view::npos) end = source.size();
    std::string_view line = source.substr(start, end - start);
    start = end + 1;
    ++number;

    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos == line.size() || line[pos] == '#') continue;
    std::string what;
    if (pos > 0) {
      // An indented line continues the previous entry's text.
      if (entries->empty()) {
        *error = LineError(number, "continuation without an entry");
        return false;
      }
      if (!ReadTextPart(line, pos, &entries->back().text, &what)) {
        *error = LineError(number, what);
        return false;
      }
      continue;
    }
    while (pos < line.size() && IsKeyChar(line[pos])) ++pos;
    if (pos == 0 || (pos < line.size() && !IsBlank(line[pos]))) {
      *error = LineError(number, "expected a key of upper-case letters, digits and '_'");
      return false;
    }
    SourceEntry entry{std::string(line.substr(0, pos)), std::string(), number};
    if (!ReadTextPart(line, pos, &entry.text, &what)) {
      *error = LineError(number, what);
      return false;
    }
    entries->push_back(std::move(entry));
  }
  return true;
}

bool CheckCatalogueEntries(const std::vector<SourceEntry>& entries, bool partial,
                           std::string* errors) {
  bool ok = true;
  std::set<std::string> seen;
  for (const SourceEntry& entry : entries) {
    std::string where = "line " + std::to_string(entry.line) + ": " + entry.key;
    const MessageKeyInfo* info = FindMessageKey(entry.key);
    if (info == nullptr) {
      *errors += where + ": not a message key of the launcher\n";
      ok = false;
      continue;
    }
    if (!seen.insert(entry.key).second) {
      *errors += where + ": defined again\n";
      ok = false;
    }
    int used = CountFormatArguments(entry.text, info->arguments);
    if (used != static_cast<int>(std::string_view(info->arguments).size())) {
      *errors += where + ": the text must take exactly the arguments \"" + info->arguments +
                 "\" ('s' %s, 'd' %d), in order\n";
      ok = false;
    }
    if (entry.key.size() + 1 + entry.text.size() > kLongestCatalogueRecord) {
      *errors += where + ": longer than a catalogue record can be\n";
      ok = false;
    }
  }
  if (!partial) {
    for (std::size_t i = 0; i < kMessageKeyCount; ++i) {
      if (seen.count(kMessageKeys[i].key) == 0) {
        *errors += std::string("missing key ") + kMessageKeys[i].key + "\n";
        ok = false;
      }
    }
  }
  return ok;
}

std::string EncodeCatalogue(const std::vector<SourceEntry>& entries) {
  std::string bytes;
  for (const SourceEntry& entry : entries) {
    bytes += entry.key;
    bytes += '=';
    bytes += entry.text;
    bytes += '\0';
  }
  return bytes;
}
