#include "platform/retry_budget.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(IsRetryableError, OnlyWhatAnotherProgramsHoldExplains) {
  struct Row {
    unsigned long error;
    bool exists;
    bool read_only;
    bool retryable;
  } rows[] = {
      {32, true, false, true},     // sharing violation
      {32, false, false, true},    // the holder may be creating it
      {145, true, false, true},    // a directory a scanner still has a file open in
      {5, true, false, true},      // access denied while another program holds it
      {5, false, false, false},    // access denied to something that is not there
      {5, true, true, false},      // a read-only file stays refused
      {2, false, false, false},    // missing
      {3, false, false, false},    // a wrong path
      {123, false, false, false},  // a bad name
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsRetryableError(row.error, row.exists, row.read_only), row.retryable)
        << row.error << " " << row.exists << row.read_only;
  }
}

TEST(RetryBudget, PausesDoubleToTwoSecondsAndStopAtTheBound) {
  RetryBudget budget;
  std::vector<int> pauses;
  int total = 0;
  for (int pause; (pause = budget.NextPause()) >= 0;) {
    pauses.push_back(pause);
    total += pause;
  }
  ASSERT_GE(pauses.size(), 7u);
  EXPECT_EQ(std::vector<int>(pauses.begin(), pauses.begin() + 7),
            (std::vector<int>{50, 100, 200, 400, 800, 1600, 2000}));
  EXPECT_EQ(total, kStagedItemRetryBoundMs);
  EXPECT_EQ(pauses.back(), (kStagedItemRetryBoundMs - 3150) % 2000);
  EXPECT_EQ(budget.NextPause(), -1);

  RetryBudget small(120);
  EXPECT_EQ(small.NextPause(), 50);
  EXPECT_EQ(small.NextPause(), 70);
  EXPECT_EQ(small.NextPause(), -1);
}

}  // namespace
