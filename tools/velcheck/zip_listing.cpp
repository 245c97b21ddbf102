#include "tools/velcheck/zip_listing.h"

#include <cstdint>

namespace {

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kHeaderSize = 46;

}  // namespace

bool ListZipEntries(std::string_view bytes, std::vector<std::string>* names) {
  names->clear();
  if (bytes.size() < kEndRecordSize) return false;
  // The end record is last, after a comment of at most 65535 bytes.
  std::size_t end = bytes.size() - kEndRecordSize;
  std::size_t lowest = end > 65535 ? end - 65535 : 0;
  while (Little(bytes, end, 4) != 0x06054b50) {
    if (end == lowest) return false;
    --end;
  }
  std::size_t count = Little(bytes, end + 10, 2);
  std::size_t at = Little(bytes, end + 16, 4);
  for (std::size_t i = 0; i < count; ++i) {
    if (at + kHeaderSize > bytes.size() || Little(bytes, at, 4) != 0x02014b50) return false;
    std::size_t name_size = Little(bytes, at + 28, 2);
    std::size_t extra_size = Little(bytes, at + 30, 2);
    std::size_t comment_size = Little(bytes, at + 32, 2);
    if (at + kHeaderSize + name_size > bytes.size()) return false;
    names->emplace_back(bytes.substr(at + kHeaderSize, name_size));
    at += kHeaderSize + name_size + extra_size + comment_size;
  }
  return true;
}
