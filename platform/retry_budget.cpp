#include "platform/retry_budget.h"

namespace {

constexpr unsigned long kAccessDenied = 5;
constexpr unsigned long kSharingViolation = 32;
constexpr unsigned long kDirectoryNotEmpty = 145;
constexpr int kLongestPauseMs = 2000;

}  // namespace

bool IsRetryableError(unsigned long error, bool item_exists, bool item_read_only) {
  switch (error) {
    case kSharingViolation:
    case kDirectoryNotEmpty:
      return true;
    case kAccessDenied:
      return item_exists && !item_read_only;
    default:
      return false;
  }
}

int RetryBudget::NextPause() {
  if (left_ms_ <= 0) return -1;
  int pause = next_ms_ < left_ms_ ? next_ms_ : left_ms_;
  left_ms_ -= pause;
  next_ms_ = next_ms_ * 2 < kLongestPauseMs ? next_ms_ * 2 : kLongestPauseMs;
  return pause;
}
