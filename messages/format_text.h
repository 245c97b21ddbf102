// Formats message texts into bounded buffers.
#ifndef MESSAGES_FORMAT_TEXT_H_
#define MESSAGES_FORMAT_TEXT_H_

#include <string>

// printf-style formatting cut at 1023 characters. Message texts are safe formats:
// the catalogue loader refused every text whose conversions do not fit its key.
std::string FormatText(const char* format, ...);

#endif  // MESSAGES_FORMAT_TEXT_H_
