#include "params/section_reader.h"

#include <cstdio>
#include <iterator>

#include "platform/classic_space.h"
#include "platform/file_text.h"
#include "platform/text_buffer.h"

namespace {

bool IsAllBlank(const std::string& text) {
  for (char c : text) {
    if (!IsClassicSpace(c)) return false;
  }
  return true;
}

std::string TrimBlanks(const std::string& text) {
  std::size_t start = 0, end = text.size();
  while (start < end && IsClassicSpace(text[start])) ++start;
  while (end > start && IsClassicSpace(text[end - 1])) --end;
  return text.substr(start, end - start);
}

}  // namespace

SectionFile::LineEnd SectionFile::ReadLine(std::string* line) {
  line->clear();
  line_number_ = line_feeds_ + 1;
  while (position_ < bytes_.size()) {
    char c = bytes_[position_++];
    if (static_cast<unsigned char>(c) == 0xFF) return LineEnd::kEnd;
    // Text mode: a carriage return before a line feed is not part of the line.
    if (c == '\r' && position_ < bytes_.size() && bytes_[position_] == '\n') continue;
    if (c == '\n') {
      ++line_feeds_;
      if (!IsAllBlank(*line)) return LineEnd::kNewline;
      line->clear();
      line_number_ = line_feeds_ + 1;
      continue;
    }
    if (line->size() < kMaxTextLength) line->push_back(c);
  }
  return LineEnd::kEnd;
}

int Tokenizer::Next(const std::string* line, std::string* token, Mode mode) {
  if (line != nullptr) {
    line_ = line;
    position_ = 0;
  }
  if (line_ == nullptr || position_ >= line_->size()) return -1;
  const std::string& text = *line_;
  while (position_ < text.size() && IsClassicSpace(text[position_])) ++position_;
  if (position_ < text.size() && text[position_] == '"') {
    std::size_t close = text.find('"', position_ + 1);
    if (close == std::string::npos) {
      position_ = text.size();
      return -1;
    }
    *token = text.substr(position_ + 1, close - position_ - 1);
    position_ = close + 1;
    return 0;
  }
  std::size_t start = position_;
  while (position_ < text.size() && text[position_] != '=' &&
         !(mode == Mode::kKey && IsClassicSpace(text[position_]))) {
    ++position_;
  }
  std::size_t end = position_;
  if (position_ < text.size()) ++position_;  // the delimiter goes with the token
  if (end == start) return -1;
  *token = TrimBlanks(text.substr(start, end - start));
  return 0;
}

bool IsSectionHeader(const std::string& line) {
  std::size_t first = 0;
  while (first < line.size() && IsClassicSpace(line[first])) ++first;
  return first < line.size() && line[first] == '[' &&
         line.find(']', first + 1) != std::string::npos;
}

bool IsHeaderOf(const std::string& line, const std::string& section) {
  if (!IsSectionHeader(line)) return false;
  std::size_t end = line.size();
  while (end > 0 && IsClassicSpace(line[end - 1])) --end;
  return line.compare(0, end, "[" + section + "]") == 0;
}

int SeekSection(SectionFile* file, const std::string& section) {
  std::string line;
  for (;;) {
    if (file->ReadLine(&line) == SectionFile::LineEnd::kEnd) return -1;
    if (IsHeaderOf(line, section)) return 0;
  }
}

int NextSectionEntry(SectionFile* file, std::string* key, std::string* value) {
  std::string line;
  file->ReadLine(&line);  // at the end, the partial last line counts
  if (IsSectionHeader(line)) return -1;
  Tokenizer tokens;
  if (tokens.Next(&line, key, Tokenizer::Mode::kKey) != 0) return -1;
  if (tokens.Next(nullptr, value, Tokenizer::Mode::kValue) != 0) value->clear();
  return 0;
}

std::string ReadSectionValue(const std::string& bytes, const std::string& section,
                             const std::string& key, const std::string& default_value) {
  SectionFile file(bytes);
  if (SeekSection(&file, section) != 0) return default_value;
  std::string line, found_key, value;
  while (!file.AtEnd()) {
    file.ReadLine(&line);
    if (IsSectionHeader(line)) return default_value;
    Tokenizer tokens;
    if (tokens.Next(&line, &found_key, Tokenizer::Mode::kKey) != 0) return default_value;
    if (found_key != key) continue;
    if (tokens.Next(nullptr, &value, Tokenizer::Mode::kValue) != 0) return default_value;
    return value;
  }
  return default_value;
}

bool LoadSectionFile(const std::string& path, std::string* bytes) {
  // stdio, not iostreams: the streams' locale machinery would triple the launcher's size.
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return false;
  bytes->clear();
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) bytes->append(buffer, n);
  bool read_all = std::ferror(in) == 0;
  std::fclose(in);
  return read_all;
}

std::string ReadSectionValueFromFile(const std::string& path, const std::string& section,
                                     const std::string& key, const std::string& default_value) {
  std::string bytes;
  if (!LoadSectionFile(path, &bytes)) return default_value;
  return ReadSectionValue(FileTextToSystemText(bytes), section, key, default_value);
}
