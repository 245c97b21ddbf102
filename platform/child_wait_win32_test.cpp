#include <gtest/gtest.h>

#include <cstdint>

#include "platform/child_wait.h"
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

TEST(WaitForChild, ReturnsOnceTheProcessHasEnded) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  char command[] = "cmd.exe /c exit 4";
  ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info));
  CloseHandle(info.hThread);
  EXPECT_EQ(WaitForChild(info.hProcess), 0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
  EXPECT_EQ(code, 4u);
  CloseHandle(info.hProcess);
}

}  // namespace
