#include "platform/medium_seal.h"

namespace {

std::uint32_t Read32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

std::uint32_t Read16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

// The PE layout: the DOS header's pointer to the PE header, the PE header's signature and
// COFF file header, then the optional header and the section table.
constexpr std::size_t kPeHeaderPointer = 0x3c;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;

}  // namespace

SealBytes MakeSeal(const Sha256Digest& list_digest) {
  SealBytes seal = {};
  for (int i = 0; i < 4; ++i) seal[i] = static_cast<unsigned char>(kSealFormat >> (8 * i));
  for (std::size_t i = 0; i < list_digest.size(); ++i) seal[4 + i] = list_digest[i];
  return seal;
}

SealState ReadSeal(const SealBytes& seal, Sha256Digest* list_digest) {
  bool zero = true;
  for (unsigned char byte : seal) zero = zero && byte == 0;
  if (zero) return SealState::kUnsealed;
  std::string_view bytes(reinterpret_cast<const char*>(seal.data()), seal.size());
  if (Read32(bytes, 0) != kSealFormat) return SealState::kUnknownFormat;
  for (std::size_t i = 0; i < list_digest->size(); ++i) (*list_digest)[i] = seal[4 + i];
  return SealState::kSealed;
}

bool FindPeSection(std::string_view image, std::string_view name, std::size_t* offset,
                   std::size_t* size) {
  if (image.size() < kPeHeaderPointer + 4 || image.substr(0, 2) != "MZ") return false;
  std::size_t pe = Read32(image, kPeHeaderPointer);
  if (pe > image.size() || image.size() - pe < 4 + kCoffHeaderSize ||
      image.substr(pe, 4) != std::string_view("PE\0\0", 4)) {
    return false;
  }
  std::size_t sections = Read16(image, pe + 4 + 2);
  std::size_t table = pe + 4 + kCoffHeaderSize + Read16(image, pe + 4 + 16);
  for (std::size_t i = 0; i < sections; ++i) {
    std::size_t header = table + i * kSectionHeaderSize;
    if (header > image.size() || image.size() - header < kSectionHeaderSize) return false;
    std::string_view section_name = image.substr(header, 8);
    section_name = section_name.substr(0, section_name.find('\0'));
    if (section_name != name) continue;
    std::size_t raw_size = Read32(image, header + 16);
    std::size_t raw_offset = Read32(image, header + 20);
    if (raw_offset > image.size() || image.size() - raw_offset < raw_size) return false;
    *offset = raw_offset;
    *size = raw_size;
    return true;
  }
  return false;
}
