// The swap-space requirement (SWAP_SPACE of the generic prerequisites).
#ifndef PREREQ_SWAP_SPACE_H_
#define PREREQ_SWAP_SPACE_H_

#include <cstdint>
#include <string>

// What the check reads of the machine (prereq/system_info.h on Windows).
struct PagingSource {
  // The PagingFiles value: 0, kPagingFilesTooLarge, or another failure.
  long (*read_paging_files)(std::string* bytes);
  int (*os_major_version)();
  // The page-file space still available, in MB.
  std::uint64_t (*available_page_file_mb)();
};

// ReadPagingFiles' status for a value longer than it reads (ERROR_MORE_DATA).
constexpr long kPagingFilesTooLarge = 234;

// Compares the paging files' maximum sizes (or, where the system manages them on
// Windows 6 and later, the page-file space still available) with the requirement in MB,
// and shows the outcome on the console and in the log: S_CHECKING_FOR_SWAP,
// S_ACTUAL_SWAP and S_SPASSED when it is met, else the reason (S_INVALID_SWAP_SPACE_REQ,
// S_REGISTRY_KEY_TOO_LARGE, S_FAIL_CHECKING_FOR_SWAP, S_FAILED_TO_OPEN_REGISTRY) and
// S_SFAILED. True when the requirement failed.
bool CheckSwapSpace(const std::string& requirement, const PagingSource& machine);

// The same on this machine.
bool CheckSwapSpace(const std::string& requirement);

#endif  // PREREQ_SWAP_SPACE_H_
