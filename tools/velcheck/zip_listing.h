// The entry names of a zip (jar) archive, read from its central directory, which is
// all velcheck needs of an archive: it reads the archive's end and its directory, never
// the entries themselves.
#ifndef TOOLS_VELCHECK_ZIP_LISTING_H_
#define TOOLS_VELCHECK_ZIP_LISTING_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The most of an archive's end that can hold its end record: the record and a comment
// of at most 65535 bytes.
constexpr std::uint64_t kZipEndSearchBytes = 22 + 65535;

// Where an archive's central directory lies, by its end record.
struct ZipDirectory {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::size_t entries = 0;
};

// Finds the end record in `tail`, the last bytes of an archive of `archive_size` bytes,
// and the directory it points to, which must lie before it. False when there is none.
bool FindZipDirectory(std::string_view tail, std::uint64_t archive_size, ZipDirectory* directory);

// The names of the `directory.entries` entries in `bytes`, the archive's central
// directory (its `directory.size` bytes), in order. False when they do not fit.
bool ListZipEntries(std::string_view bytes, const ZipDirectory& directory,
                    std::vector<std::string>* names);

#endif  // TOOLS_VELCHECK_ZIP_LISTING_H_
