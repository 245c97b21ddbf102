// Retrying an item that another program holds for a moment.
//
// On-access scanners and indexers open a freshly written file for a moment without
// sharing it: deleting or starting it then fails with a sharing violation, and the
// directory above it with "not empty". An operation on items the launcher staged (the
// scratch directory's removal, the copy of an installed layout, the start of the staged
// Java program) retries such an item after a pause that grows, 50 ms doubling up to 2 s,
// until the pauses of the whole operation reach one bound.
#ifndef PLATFORM_RETRY_BUDGET_H_
#define PLATFORM_RETRY_BUDGET_H_

// The bound of one operation's pauses: long enough for a scanner to finish with a file,
// short enough that a file held for good costs an unattended run half a minute at most.
constexpr int kStagedItemRetryBoundMs = 30000;

// Whether a retry can help after `error`: a sharing violation (32); access denied (5) on
// an item that exists and is not read-only (a read-only one stays refused); a directory
// not empty (145). Anything else (a missing file, a wrong path) is final.
bool IsRetryableError(unsigned long error, bool item_exists, bool item_read_only);

// The pauses of one operation.
class RetryBudget {
 public:
  explicit RetryBudget(int bound_ms = kStagedItemRetryBoundMs) : left_ms_(bound_ms) {}

  // The next pause in milliseconds, or -1 once the bound is spent. The last pause is
  // cut to what is left of the bound.
  int NextPause();

 private:
  int left_ms_;
  int next_ms_ = 50;
};

#endif  // PLATFORM_RETRY_BUDGET_H_
