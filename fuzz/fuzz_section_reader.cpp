// Feeds arbitrary files to the section reader: the first line names the section and
// the key, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "params/section_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t newline = input.find('\n');
  std::string name = input.substr(0, newline);
  std::string bytes = newline == std::string::npos ? std::string() : input.substr(newline + 1);

  SectionFile file(bytes);
  if (SeekSection(&file, name) == 0) {
    std::string key, value;
    std::size_t entries = 0;
    while (NextSectionEntry(&file, &key, &value) == 0) {
      // Every entry comes from a line of at most 1023 characters (a quoted key may be
      // empty), and the entries end.
      if (key.size() > 1023 || value.size() > 1023) __builtin_trap();
      if (++entries > bytes.size()) __builtin_trap();
    }
  }
  std::string value = ReadSectionValue(bytes, name, name, "<default>");
  if (value.size() > 1023 && value != "<default>") __builtin_trap();
  return 0;
}
