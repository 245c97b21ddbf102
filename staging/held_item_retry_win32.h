// One operation's retries of staged items that another program holds for a moment
// (platform/retry_budget.h), each noted in the installer log.
#ifndef STAGING_HELD_ITEM_RETRY_WIN32_H_
#define STAGING_HELD_ITEM_RETRY_WIN32_H_

#include <string>
#include <utility>

#include "platform/retry_budget.h"

class HeldItemRetry {
 public:
  // The retries are noted in the installer log.
  HeldItemRetry() = default;
  // The retries are noted in the file at `log_path` (the kept copy of the log while the
  // scratch directory that held it goes), or nowhere when it is empty.
  explicit HeldItemRetry(std::string log_path)
      : to_installer_log_(false), log_path_(std::move(log_path)) {}

  // After `error` on `path`: when a retry can help and the bound is not spent, notes the
  // retry, pauses and returns true, for the caller to try the item again. False at once
  // for an error no retry can help.
  bool ShouldRetry(const std::string& path, unsigned long error);

 private:
  void Note(const std::string& line) const;

  RetryBudget budget_;
  bool to_installer_log_ = true;
  std::string log_path_;
};

#endif  // STAGING_HELD_ITEM_RETRY_WIN32_H_
