#include "messages/format_check.h"

#include <cstddef>
#include <cstring>

// Skips up to three decimal digits; more would allow absurd field widths.
static bool SkipSmallNumber(std::string_view text, std::size_t* pos) {
  std::size_t digits = 0;
  while (*pos < text.size() && text[*pos] >= '0' && text[*pos] <= '9') {
    ++*pos;
    if (++digits > 3) return false;
  }
  return true;
}

static char ArgumentKindOf(char conversion) {
  if (conversion == 's') return 's';
  if (std::strchr("diuxXoc", conversion) != nullptr) return 'd';
  return 0;
}

int CountFormatArguments(std::string_view text, std::string_view arguments) {
  std::size_t used = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos++] != '%') continue;
    if (pos < text.size() && text[pos] == '%') {
      ++pos;
      continue;
    }
    while (pos < text.size() && std::strchr("-+ #0", text[pos]) != nullptr) ++pos;
    if (!SkipSmallNumber(text, &pos)) return -1;
    if (pos < text.size() && text[pos] == '.') {
      ++pos;
      if (!SkipSmallNumber(text, &pos)) return -1;
    }
    if (pos >= text.size()) return -1;
    char kind = ArgumentKindOf(text[pos++]);
    if (kind == 0 || used >= arguments.size() || arguments[used] != kind) return -1;
    ++used;
  }
  return static_cast<int>(used);
}
