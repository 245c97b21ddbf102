// Reading a medium's files whatever a build left there: only regular files are read
// (a FIFO would block for ever, a link to a device would never end), and never more
// than a bound, so that no medium can hang velcheck or exhaust its memory.
#ifndef TOOLS_VELCHECK_MEDIUM_FILE_H_
#define TOOLS_VELCHECK_MEDIUM_FILE_H_

#include <cstdint>
#include <filesystem>
#include <string>

// The most velcheck reads of a text file (velparam.ini, a catalogue); real ones hold a
// few kilobytes.
constexpr std::uintmax_t kMaxMediumTextBytes = 16u << 20;

enum class MediumFileRead {
  kRead,
  kMissing,     // nothing by that name
  kNotRegular,  // a directory, FIFO, device, or a link that leads to none or loops
  kTooLarge,    // more bytes than the bound
  kUnreadable,  // there, but opening or reading it failed
};

// Reads the regular file at `path` whole into `*bytes` when it holds at most `limit`
// bytes.
MediumFileRead ReadMediumFile(const std::filesystem::path& path, std::uintmax_t limit,
                              std::string* bytes);

// Reads `size` bytes from `offset` of the regular file at `path`; kUnreadable when
// they are not all there.
MediumFileRead ReadMediumFileRange(const std::filesystem::path& path, std::uintmax_t offset,
                                   std::uintmax_t size, std::string* bytes);

// The size of the regular file at `path`.
MediumFileRead MediumFileSize(const std::filesystem::path& path, std::uintmax_t* size);

// What a finding says of a file that was not read: "not a regular file", ...
std::string DescribeUnread(MediumFileRead read, std::uintmax_t limit);

#endif  // TOOLS_VELCHECK_MEDIUM_FILE_H_
