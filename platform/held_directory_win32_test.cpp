#include "platform/held_directory_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

class HeldDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel_held_test_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
  }
  void TearDown() override { RemoveTestTree(dir_); }

  // The error of renaming `from` to `to`, 0 when it was renamed.
  static DWORD Rename(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), 0) ? 0 : GetLastError();
  }
  std::string dir_;
};

TEST_F(HeldDirectoryTest, CreatedDirectoryCannotBeRenamedOrRemovedUntilReleased) {
  std::string scratch = dir_ + "\\scratch";
  HeldDirectory hold;
  ASSERT_EQ(CreateHeldDirectory(scratch, "D:P(A;OICI;FA;;;WD)", &hold), 0u);
  ASSERT_TRUE(hold.held());
  // What lies below stays usable.
  ASSERT_TRUE(CreateDirectoryA((scratch + "\\jre").c_str(), nullptr));
  EXPECT_TRUE(RemoveDirectoryA((scratch + "\\jre").c_str()));

  EXPECT_EQ(Rename(scratch, dir_ + "\\moved"), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(RemoveDirectoryA(scratch.c_str()));
  hold.Release();
  EXPECT_EQ(Rename(scratch, dir_ + "\\moved"), 0u);
}

TEST_F(HeldDirectoryTest, AnExistingNameIsNeverOpenedOrTaken) {
  std::string taken = dir_ + "\\taken";
  ASSERT_TRUE(CreateDirectoryA(taken.c_str(), nullptr));
  std::string file = dir_ + "\\file";
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  HeldDirectory hold;
  for (const std::string& name : {taken, file}) {
    EXPECT_EQ(CreateHeldDirectory(name, "", &hold), static_cast<DWORD>(ERROR_ALREADY_EXISTS))
        << name;
    EXPECT_FALSE(hold.held());
  }
}

TEST_F(HeldDirectoryTest, AGivenDirectoryIsHeldForTheRunButAFileIsNot) {
  HeldDirectory hold;
  ASSERT_TRUE(HoldDirectory(dir_, &hold));
  std::string parent_copy = dir_ + "_moved";
  EXPECT_EQ(Rename(dir_, parent_copy), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  hold.Release();

  std::string file = dir_ + "\\file";
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  EXPECT_FALSE(HoldDirectory(file, &hold));
  EXPECT_FALSE(HoldDirectory(dir_ + "\\missing", &hold));
  EXPECT_FALSE(hold.held());
}

}  // namespace

namespace {

// What the volume says through the handle is what the Win32 calls say of it.
TEST_F(HeldDirectoryTest, VolumeFactsAgreeWithTheWin32Calls) {
  HeldDirectory hold;
  ASSERT_TRUE(HoldDirectory(dir_, &hold));
  bool persistent_acls = false, remote = true;
  ASSERT_TRUE(hold.GetVolumeFacts(&persistent_acls, &remote));
  DWORD flags = 0;
  HANDLE handle = CreateFileA(dir_.c_str(), FILE_READ_ATTRIBUTES, 7, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(
      GetVolumeInformationByHandleW(handle, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0));
  CloseHandle(handle);
  EXPECT_EQ(persistent_acls, (flags & FILE_PERSISTENT_ACLS) != 0);
  EXPECT_EQ(remote, GetDriveTypeA(hold.pinned_path().substr(0, 3).c_str()) == DRIVE_REMOTE);
}

}  // namespace
