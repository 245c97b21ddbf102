// Formats message texts into bounded buffers.
//
// Every report of the launcher is a message key formatted with its arguments: the
// console gets the key's local text, the installer log its base text. Catalogue texts
// are safe formats here: the loader refused every text whose conversions do not fit
// its key's arguments, and a key no catalogue defines yields the key itself.
#ifndef MESSAGES_FORMAT_TEXT_H_
#define MESSAGES_FORMAT_TEXT_H_

#include <cstdarg>
#include <string>

// printf-style formatting cut at 1023 characters.
std::string FormatText(const char* format, ...);
std::string FormatTextV(const char* format, va_list args);

// The local (console) and base (log) texts of `key` formatted with the arguments.
// Example: LocalText("S_ERPERDIR", "C:\\TEMP").
std::string LocalText(const char* key, ...);
std::string BaseText(const char* key, ...);

#endif  // MESSAGES_FORMAT_TEXT_H_
