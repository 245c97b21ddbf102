// INI-style sections, read the way the prerequisite checks read velparam.ini.
//
// This is not the platform's profile reader (which serves the Velmor section): names
// are case-sensitive, a key ends at its first blank or "=", an unquoted value at the
// next "=", and there are no comments (a ";" line is an entry whose key is ";"). The
// reader works on the file's bytes as text mode delivers them: "\r\n" reads as "\n".
//
// Lines: a line feed ends a line, but empty and all-blank lines are skipped; the end of
// the bytes, and a 0xFF byte, end a line as the end of the file does (reading goes on
// after a 0xFF byte). A line keeps at most 1023 characters: the rest of a longer line is
// dropped. A header is a line whose first non-blank character is "[" with a "]" after
// it; it names section S only when the whole line, trailing blanks aside, is "[S]".
//
// Tokens: a key or a value is a quoted text (everything between the quotes, kept as it
// is) or the text up to the end of the line or an "=" (a value) or up to a blank or an
// "=" (a key), without leading and trailing blanks; the one delimiter that ended it is
// consumed. "K=V" and "K V" give K and V; "K=x=y" gives x; K="x=y" gives x=y; "K = V"
// gives an empty value, because the value meets the "=" first.
#ifndef PARAMS_SECTION_READER_H_
#define PARAMS_SECTION_READER_H_

#include <cstddef>
#include <string>
#include <utility>

// The bytes of a section file and a read position in them.
class SectionFile {
 public:
  explicit SectionFile(std::string bytes) : bytes_(std::move(bytes)) {}

  // How a line ended: at a line feed, or at the end of the bytes (or a 0xFF byte).
  enum class LineEnd { kNewline, kEnd };

  // Reads the next line that is not empty or all blank into `*line`.
  LineEnd ReadLine(std::string* line);
  bool AtEnd() const { return position_ >= bytes_.size(); }
  // The number of the line ReadLine read last, counted in line feeds from 1.
  int LineNumber() const { return line_number_; }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
  int line_number_ = 0;
  int line_feeds_ = 0;  // line feeds read so far
};

// Takes the tokens of one line in turn, like strtok: Next with a line starts on it,
// Next with none continues after the previous token.
class Tokenizer {
 public:
  enum class Mode { kKey, kValue };
  // 0 with the token in `*token`; -1 when the line holds no further token.
  int Next(const std::string* line, std::string* token, Mode mode);

 private:
  const std::string* line_ = nullptr;
  std::size_t position_ = 0;
};

// Whether `line` is a section header, and whether it is the header of `section`.
bool IsSectionHeader(const std::string& line);
bool IsHeaderOf(const std::string& line, const std::string& section);

// Positions `file` on the line after the header of `section`: 0, or -1 when the bytes
// end first (a header on a last line without a line feed is not found).
int SeekSection(SectionFile* file, const std::string& section);

// The next entry of the section `file` is in: 0 with its key and value (empty when the
// line has none); -1 at the next header, at the end, or at a line without a key.
int NextSectionEntry(SectionFile* file, std::string* key, std::string* value);

// The value of `key` in `section` of the bytes, or `default_value` when the section
// or the key (before the next header) is missing, or the key's line has no value.
std::string ReadSectionValue(const std::string& bytes, const std::string& section,
                             const std::string& key, const std::string& default_value);

// Reads the file at `path` whole; false when it cannot be read.
bool LoadSectionFile(const std::string& path, std::string* bytes);

// ReadSectionValue on the text of the file at `path` (FileTextToSystemText,
// platform/file_text.h); `default_value` when it cannot be read.
std::string ReadSectionValueFromFile(const std::string& path, const std::string& section,
                                     const std::string& key, const std::string& default_value);

#endif  // PARAMS_SECTION_READER_H_
