#include "platform/child_process.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

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

std::string SystemProgram(const char* name) {
  char directory[MAX_PATH];
  UINT n = GetSystemDirectoryA(directory, MAX_PATH);
  return std::string(directory, n) + "\\" + name;
}

TEST(StartChild, StartsTheProgramAndWaitForChildReturnsOnceItEnded) {
  void* process = nullptr;
  ASSERT_EQ(StartChild(SystemProgram("cmd.exe"), "cmd /c exit 4", SW_HIDE, ChildProgram::kUnzip,
                       &process),
            0u);
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(WaitForChild(process), 0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(process, &code));
  EXPECT_EQ(code, 4u);
  CloseHandle(process);
}

TEST(StartChild, TheProgramStartedIsTheOneGivenNotTheCommandsFirstWord) {
  // A first word naming another program, as a planted relative path would.
  void* process = nullptr;
  ASSERT_EQ(StartChild(SystemProgram("cmd.exe"), "..\\elsewhere\\java.exe /c exit 7", SW_HIDE,
                       ChildProgram::kUnzip, &process),
            0u);
  EXPECT_EQ(WaitForChild(process), 0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(process, &code));
  EXPECT_EQ(code, 7u);
  CloseHandle(process);
}

TEST(StartChild, GivesTheSystemsErrorForAMissingProgram) {
  void* process = nullptr;
  unsigned long error = StartChild("C:\\no such dir\\unzip.exe", "\"C:\\no such dir\\unzip\" -o",
                                   SW_HIDE, ChildProgram::kUnzip, &process);
  // Wine says the file is missing; Windows may say the path is.
  EXPECT_TRUE(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
  EXPECT_EQ(process, nullptr);
}

}  // namespace
