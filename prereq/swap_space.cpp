#include "prereq/swap_space.h"

#include <climits>

#include "messages/installer_log.h"
#include "prereq/paging_files.h"
#include "prereq/prereq_rules.h"

namespace {

constexpr long kRequirementNotPositive = -5001;
constexpr long kBelowRequirement = -5002;

// The total as a whole number of MB, truncated, within the int range.
int WholeMegabytes(double total) {
  if (total >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (total <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(total);
}

}  // namespace

bool CheckSwapSpace(const std::string& requirement, const PagingSource& machine) {
  double required = LeadingNumber(requirement);
  double total = 0;
  long status = 0;
  if (!(required > 0)) {
    status = kRequirementNotPositive;
  } else {
    std::string paging_files;
    status = machine.read_paging_files(&paging_files);
    if (status == 0) {
      total = SumPagingFileMaxima(paging_files.data(), paging_files.size());
      // System-managed paging files list no sizes: what is available then counts.
      if (total == 0 && machine.os_major_version() >= 6) {
        total = static_cast<double>(machine.available_page_file_mb());
      }
      if (total < required) status = kBelowRequirement;
    }
  }

  if (status == 0) {
    ShowAndLogMessage(msg::S_CHECKING_FOR_SWAP, requirement.c_str());
    ShowAndLogMessage(msg::S_ACTUAL_SWAP, WholeMegabytes(total));
    ShowAndLogMessage(msg::S_SPASSED);
    return false;
  }
  if (status == kPagingFilesTooLarge) {
    ShowAndLogMessage(msg::S_REGISTRY_KEY_TOO_LARGE);
  } else if (status == kRequirementNotPositive) {
    ShowAndLogMessage(msg::S_INVALID_SWAP_SPACE_REQ);
  } else if (status == kBelowRequirement) {
    ShowAndLogMessage(msg::S_FAIL_CHECKING_FOR_SWAP, WholeMegabytes(total), requirement.c_str());
  } else {
    ShowAndLogMessage(msg::S_FAILED_TO_OPEN_REGISTRY);
  }
  ShowAndLogMessage(msg::S_SFAILED);
  return true;
}
