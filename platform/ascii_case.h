// Comparing names as the system and the profile reader do: ASCII letters without case.
#ifndef PLATFORM_ASCII_CASE_H_
#define PLATFORM_ASCII_CASE_H_

#include <string_view>

inline char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// ("Path", "PATH") is true; ("Größe", "GRÖSSE") is false.
inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

#endif  // PLATFORM_ASCII_CASE_H_
