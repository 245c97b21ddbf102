// The Velmor section's keys read from a text in memory, by the rules of the system's
// profile reader (GetPrivateProfileStringA), for a velparam.ini that the profile reader
// would decode wrongly: one in the legacy code page, read in a process whose code page
// is UTF-8 (platform/file_text.h).
//
// Lines end at a line feed, a carriage return, or the two in that order; blanks around
// a line are dropped, and empty lines skipped. "[name]" starts a section (the name between "[" and
// the last "]", trimmed). Any other line is an entry: the key up to the first "=", the value after
// it, both trimmed; a line without "=" is a key without a value, which reads as missing. Sections
// and keys compare without regard to ASCII case; the first section of the name and the first entry
// of the key in it count. A value enclosed in double or single quotes loses them.
#ifndef PARAMS_PROFILE_TEXT_H_
#define PARAMS_PROFILE_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

// One entry of a section: its key and value as the reader sees them (trimmed, the value
// unquoted, not yet bounded), and its line, counted from 1.
struct ProfileEntry {
  std::string key;
  std::string value;
  int line = 0;
  bool has_equals = true;  // a line without "=" names a key that has no value at all
};

// The text the system's profile reader reads in a file's `bytes`: the bytes without a
// UTF-8 byte-order mark. False for a UTF-16 file (one with its byte-order mark), which
// only the system reads.
bool ProfileTextOf(const std::string& bytes, std::string* text);

// The entries of the first section named `section` in `text`, in order; empty when there
// is none.
std::vector<ProfileEntry> ListProfileEntries(std::string_view text, std::string_view section);

// The value of `key` in `section` of `text`, at most 1023 bytes and never a character
// cut in two; `default_value` when the section or the key is missing.
// Example: ("[Velmor]\nTAV_VERSION = \"11.2\"\n", "velmor", "tav_version", "") -> "11.2".
std::string ReadProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             const std::string& default_value);

#endif  // PARAMS_PROFILE_TEXT_H_
