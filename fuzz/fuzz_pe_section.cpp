// Feeds arbitrary files to the PE section finder, which reads a setup.exe that may be
// anyone's: whatever it finds lies within the file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/medium_seal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view image(reinterpret_cast<const char*>(data), size);
  std::size_t offset = 0, length = 0;
  if (FindPeSection(image, kSealSectionName, &offset, &length) &&
      (offset > size || size - offset < length)) {
    __builtin_trap();
  }
  return 0;
}
