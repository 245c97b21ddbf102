#include "tools/velcheck/medium_file.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

MediumFileRead MediumFileSize(const fs::path& path, std::uintmax_t* size) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return MediumFileRead::kMissing;
  // A link that loops or leads nowhere reports an error, and is no regular file either.
  if (error || !fs::is_regular_file(status)) return MediumFileRead::kNotRegular;
  *size = fs::file_size(path, error);
  return error ? MediumFileRead::kUnreadable : MediumFileRead::kRead;
}

MediumFileRead ReadMediumFileRange(const fs::path& path, std::uintmax_t offset, std::uintmax_t size,
                                   std::string* bytes) {
  bytes->clear();
  std::uintmax_t file_size = 0;
  MediumFileRead found = MediumFileSize(path, &file_size);
  if (found != MediumFileRead::kRead) return found;
  if (offset > file_size || size > file_size - offset) return MediumFileRead::kUnreadable;
  std::ifstream in(path, std::ios::binary);
  if (!in || !in.seekg(static_cast<std::streamoff>(offset))) return MediumFileRead::kUnreadable;
  bytes->resize(static_cast<std::size_t>(size));
  in.read(bytes->data(), static_cast<std::streamsize>(size));
  // The file may have shrunk since its size was taken.
  if (static_cast<std::uintmax_t>(in.gcount()) != size) {
    bytes->clear();
    return MediumFileRead::kUnreadable;
  }
  return MediumFileRead::kRead;
}

MediumFileRead ReadMediumFile(const fs::path& path, std::uintmax_t limit, std::string* bytes) {
  bytes->clear();
  std::uintmax_t size = 0;
  MediumFileRead found = MediumFileSize(path, &size);
  if (found != MediumFileRead::kRead) return found;
  if (size > limit) return MediumFileRead::kTooLarge;
  return ReadMediumFileRange(path, 0, size, bytes);
}

std::string DescribeUnread(MediumFileRead read, std::uintmax_t limit) {
  switch (read) {
    case MediumFileRead::kMissing:
      return "not there";
    case MediumFileRead::kNotRegular:
      return "not a regular file (a directory, device, FIFO, or a link that loops or leads "
             "nowhere)";
    case MediumFileRead::kTooLarge:
      return "larger than " + std::to_string(limit >> 20) + " MiB, so velcheck does not read it";
    case MediumFileRead::kUnreadable:
      return "cannot be read";
    case MediumFileRead::kRead:
      break;
  }
  return "read";
}
