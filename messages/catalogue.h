// Message catalogues (.nls): what their bytes mean and how they fill a message map.
//
// A catalogue is a run of records, each "KEY=text" followed by a NUL byte, in UTF-8,
// with no header, lines or escapes. A record ends at its NUL or after 1023 bytes,
// whichever comes first; bytes after the last NUL are dropped. The key is what comes
// before the first '=', the text everything after it. The first definition of a key
// wins, so the more specific catalogues are read first.
#ifndef MESSAGES_CATALOGUE_H_
#define MESSAGES_CATALOGUE_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

struct MessageMap;

// The longest record that loads whole: its bytes and its NUL fill the reader's window.
// The catalogue compiler refuses a longer one, so a catalogue never holds a record the
// loader cuts (and whose NUL would then read as a malformed empty record).
constexpr std::size_t kLongestCatalogueRecord = 1022;
// The reader's window: a record ends at its NUL or after this many bytes.
constexpr std::size_t kCatalogueRecordLimit = kLongestCatalogueRecord + 1;

// Calls `record` with the text of each complete record of `bytes`, in order,
// without its terminating NUL.
void SplitCatalogueRecords(std::string_view bytes,
                           const std::function<void(std::string_view)>& record);

// Adds the records of the catalogue `bytes` to `map`, skipping keys already present.
// A record without '=' and a text whose conversions do not fit its key's arguments
// are skipped with a warning appended to `*warnings`, so that a later catalogue's
// text for that key is used instead.
void AddCatalogueToMap(std::string_view bytes, MessageMap* map, std::string* warnings);

#endif  // MESSAGES_CATALOGUE_H_
