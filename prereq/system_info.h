// What the prerequisite checks read of the machine.
#ifndef PREREQ_SYSTEM_INFO_H_
#define PREREQ_SYSTEM_INFO_H_

#include <cstdint>
#include <string>

struct OsVersion {
  int major = 0;
  int minor = 0;
  std::string service_pack;  // the CSD version text, "Service Pack 1"; may be empty
};

// GetVersionExA's answer; zeros and an empty text when it fails.
OsVersion ReadOsVersion();

// Whether the Q246009 hotfix key exists (Windows NT 4 "Service Pack 6a").
bool HasQ246009Hotfix();

// The display's bits per pixel (a compatible DC's BITSPIXEL); 0 without a display.
int DisplayBitsPerPixel();

// The "~MHz" of processor 0 in the registry; 0 when it cannot be read.
int ProcessorClockMhz();

// The page-file space still available, in MB (rounded down); 0 when unknown.
std::uint64_t AvailablePageFileMb();

// Reads the PagingFiles value (at most 1024 bytes) into `*bytes`: 0, or the registry's
// error code (ERROR_MORE_DATA when the value is longer).
long ReadPagingFiles(std::string* bytes);

#endif  // PREREQ_SYSTEM_INFO_H_
