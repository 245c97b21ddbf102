// Texts between the launcher's ANSI or UTF-8 texts and the system's wide ("W") calls.
#ifndef PLATFORM_WIDE_TEXT_WIN32_H_
#define PLATFORM_WIDE_TEXT_WIN32_H_

#include <string>

// `text` from the ANSI code page as UTF-16; "" when it does not convert.
std::wstring SystemTextToWide(const std::string& text);

// The UTF-8 `text` as UTF-16, whatever its length; invalid sequences become U+FFFD.
std::wstring Utf8ToWide(const char* text);

// `wide` in the ANSI code page; "" when a character has no exact form there (it would
// come out as '?' or a look-alike, naming another path).
std::string WideToSystemText(const wchar_t* wide);

#endif  // PLATFORM_WIDE_TEXT_WIN32_H_
