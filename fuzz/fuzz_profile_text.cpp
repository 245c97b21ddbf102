// Feeds arbitrary files to the profile-rules reader and the code-page check: the first
// line names the key, the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "params/profile_text.h"
#include "platform/file_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t newline = input.find('\n');
  std::string key = input.substr(0, newline);
  std::string text = newline == std::string::npos ? std::string() : input.substr(newline + 1);

  std::string value = ReadProfileValue(text, "Velmor", key, "<default>");
  // A value fits the 1024-byte buffer, and one from valid UTF-8 is never cut inside a
  // character.
  if (value.size() > 1023) __builtin_trap();
  if (IsValidUtf8(text) && !IsValidUtf8(value)) __builtin_trap();
  if (IsLegacyText(text) && IsValidUtf8(text)) __builtin_trap();
  return 0;
}
