#include "platform/child_process.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/windows_prelude.h"

namespace {

TEST(WaitForChild, FailedWaitReturnsWithTheSystemsReasonInsteadOfRetrying) {
  // A value that never named anything. (A closed handle's value makes Wine time out
  // instead, which the loop rightly takes as "wait again".)
  HANDLE bogus = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(0xDEAD0));
  SetLastError(0);
  EXPECT_EQ(WaitForChild(bogus), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(StartChild, StartsTheFirstWordAndWaitForChildReturnsOnceItEnded) {
  void* process = nullptr;
  ASSERT_EQ(StartChild("cmd /c exit 4", SW_HIDE, &process), 0u);
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(WaitForChild(process), 0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(process, &code));
  EXPECT_EQ(code, 4u);
  CloseHandle(process);
}

TEST(StartChild, GivesTheSystemsErrorForAMissingProgram) {
  void* process = nullptr;
  unsigned long error = StartChild("\"C:\\no such dir\\unzip\" -o", SW_HIDE, &process);
  // Wine says the file is missing; Windows may say the path is.
  EXPECT_TRUE(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
  EXPECT_EQ(process, nullptr);
}

}  // namespace
