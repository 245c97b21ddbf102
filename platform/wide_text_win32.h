// Paths between the launcher's ANSI texts and the system's wide ("W") calls.
#ifndef PLATFORM_WIDE_TEXT_WIN32_H_
#define PLATFORM_WIDE_TEXT_WIN32_H_

#include <string>

// `text` from the ANSI code page as UTF-16; "" when it does not convert.
std::wstring SystemTextToWide(const std::string& text);

// `wide` in the ANSI code page; "" when a character has no exact form there (it would
// come out as '?' or a look-alike, naming another path).
std::string WideToSystemText(const wchar_t* wide);

#endif  // PLATFORM_WIDE_TEXT_WIN32_H_
