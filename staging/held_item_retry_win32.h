// One operation's retries of staged items that another program holds for a moment
// (platform/retry_budget.h), each noted in the installer log.
#ifndef STAGING_HELD_ITEM_RETRY_WIN32_H_
#define STAGING_HELD_ITEM_RETRY_WIN32_H_

#include <string>

#include "platform/retry_budget.h"

class HeldItemRetry {
 public:
  // The retries are noted in the installer log.
  HeldItemRetry() = default;
  // The retries are noted through `kept_log`, the open handle of the log's kept copy
  // while the scratch directory that held it goes (never by its name, which the user
  // may have pointed elsewhere by then), or nowhere when it is null.
  explicit HeldItemRetry(void* kept_log) : to_installer_log_(false), kept_log_(kept_log) {}

  // After `error` on `path`: when a retry can help and the bound is not spent, notes the
  // retry, pauses and returns true, for the caller to try the item again. False at once
  // for an error no retry can help.
  bool ShouldRetry(const std::string& path, unsigned long error);

 private:
  void Note(const std::string& line) const;

  RetryBudget budget_;
  bool to_installer_log_ = true;
  void* kept_log_ = nullptr;
};

#endif  // STAGING_HELD_ITEM_RETRY_WIN32_H_
