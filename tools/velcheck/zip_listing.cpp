#include "tools/velcheck/zip_listing.h"

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

bool FindZipDirectory(std::string_view tail, std::uint64_t archive_size, ZipDirectory* directory) {
  if (tail.size() < kEndRecordSize || tail.size() > archive_size) return false;
  // The end record is last, after a comment of at most 65535 bytes.
  std::size_t end = tail.size() - kEndRecordSize;
  std::size_t lowest = end > 65535 ? end - 65535 : 0;
  while (Little(tail, end, 4) != 0x06054b50) {
    if (end == lowest) return false;
    --end;
  }
  std::uint64_t record_offset = archive_size - tail.size() + end;
  directory->entries = Little(tail, end + 10, 2);
  directory->size = Little(tail, end + 12, 4);
  directory->offset = Little(tail, end + 16, 4);
  return directory->offset <= record_offset && directory->size <= record_offset - directory->offset;
}

bool ListZipEntries(std::string_view bytes, const ZipDirectory& directory,
                    std::vector<std::string>* names) {
  names->clear();
  if (bytes.size() != directory.size) return false;
  std::size_t at = 0;
  for (std::size_t i = 0; i < directory.entries; ++i) {
    if (bytes.size() - at < kHeaderSize || Little(bytes, at, 4) != 0x02014b50) return false;
    std::size_t name_size = Little(bytes, at + 28, 2);
    std::size_t extra_size = Little(bytes, at + 30, 2);
    std::size_t comment_size = Little(bytes, at + 32, 2);
    if (bytes.size() - at - kHeaderSize < name_size) return false;
    names->emplace_back(bytes.substr(at + kHeaderSize, name_size));
    at += kHeaderSize + name_size;
    // The extra fields and comment may end the directory exactly, never run past it.
    if (bytes.size() - at < extra_size + comment_size) return false;
    at += extra_size + comment_size;
  }
  return true;
}
