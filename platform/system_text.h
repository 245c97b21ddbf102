// Texts that come from the system's ANSI calls (module paths, environment values,
// profile strings, directory listings) are in the ANSI code page; every text the
// launcher shows or logs is UTF-8. This converts the one into the other.
#ifndef PLATFORM_SYSTEM_TEXT_H_
#define PLATFORM_SYSTEM_TEXT_H_

#include <string>

// `text` from the ANSI code page as UTF-8. ASCII comes back as it is.
// Example (code page 1252): "Jos\xE9" gives "Jos\xC3\xA9".
std::string SystemTextToUtf8(const char* text);

#endif  // PLATFORM_SYSTEM_TEXT_H_
