// The swap-space requirement (SWAP_SPACE of the generic prerequisites).
#ifndef PREREQ_SWAP_SPACE_H_
#define PREREQ_SWAP_SPACE_H_

#include <string>

// Compares the paging files' maximum sizes (or, where the system manages them on
// Windows 6 and later, the page-file space still available) with the requirement in MB,
// and shows the outcome on the console and in the log: S_CHECKING_FOR_SWAP,
// S_ACTUAL_SWAP and S_SPASSED when it is met, else the reason (S_INVALID_SWAP_SPACE_REQ,
// S_REGISTRY_KEY_TOO_LARGE, S_FAIL_CHECKING_FOR_SWAP, S_FAILED_TO_OPEN_REGISTRY) and
// S_SFAILED. True when the requirement failed.
bool CheckSwapSpace(const std::string& requirement);

#endif  // PREREQ_SWAP_SPACE_H_
