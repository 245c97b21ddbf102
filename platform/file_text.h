// Text files written by people (velparam.ini): in which code page their bytes are.
//
// A file with a byte-order mark, or whose bytes are valid UTF-8 (plain ASCII among
// them), is taken as it is. Any other was written in the machine's legacy ANSI code
// page (a message with "é" in code page 1252): in a process whose own code page is
// UTF-8, FileTextToSystemText converts it from that code page, so its texts read as a
// process without the UTF-8 setting would have read them.
#ifndef PLATFORM_FILE_TEXT_H_
#define PLATFORM_FILE_TEXT_H_

#include <string>
#include <string_view>

// Whether `bytes` are well-formed UTF-8: no stray continuation byte, no overlong form,
// no surrogate, nothing above U+10FFFF, no sequence cut short.
bool IsValidUtf8(std::string_view bytes);

// Whether `bytes` are in a legacy code page: no byte-order mark (UTF-8, UTF-16 either
// way) and not valid UTF-8.
bool IsLegacyText(std::string_view bytes);

// `bytes` in the process's code page (platform/system_text.h): converted from the
// legacy ANSI code page when the process's is UTF-8 and they are legacy text, else as
// they are.
std::string FileTextToSystemText(const std::string& bytes);

#endif  // PLATFORM_FILE_TEXT_H_
