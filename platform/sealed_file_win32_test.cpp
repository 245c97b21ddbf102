#include "platform/sealed_file_win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/sealed_medium.h"
#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

// A sealed medium in a directory of the test's own: "good.txt" is listed as it is,
// "changed.txt" with the digest of other bytes, "unlisted.txt" not at all.
class SealedCopiesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel_sealed_test_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((dir_ + "\\scratch").c_str(), nullptr));
    for (const char* name : {"good.txt", "changed.txt", "unlisted.txt"}) {
      std::ofstream(dir_ + "\\" + name, std::ios::binary) << "abc";
    }
    // SHA-256 of "abc", and of "abd".
    const std::string abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    const std::string abd = "a52d159f262b2c6ddb724a61840befc36eb30c88877a4030b65cbe86298449c9";
    ASSERT_TRUE(medium_.Load(dir_, abc + "  good.txt\n" + abd + "  changed.txt\n"));
    g_sealed_medium = &medium_;
  }
  void TearDown() override {
    g_sealed_medium = nullptr;
    ReleaseMediumFiles();
    RemoveTestTree(dir_);
  }
  std::string Source(const char* name) const { return dir_ + "\\" + name; }
  std::string Copy(const char* name) const { return dir_ + "\\scratch\\" + name; }
  bool Exists(const std::string& path) const {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  std::string dir_;
  SealedMedium medium_;
};

TEST_F(SealedCopiesTest, KeepsOnlyCopiesAsSealedAndTellsFailedCopiesFromBrokenSeals) {
  SealedCopies copies;
  unsigned long error = 0;
  EXPECT_TRUE(copies.Copy(Source("good.txt"), Copy("good.txt"), &error));
  EXPECT_TRUE(copies.Copy(Source("changed.txt"), Copy("changed.txt"), &error));
  // A copy that cannot be made is a failed copy, not a broken seal.
  EXPECT_FALSE(copies.Copy(Source("good.txt"), dir_ + "\\missing\\good.txt", &error));
  EXPECT_EQ(error, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(medium_.broken());
  EXPECT_FALSE(copies.Copy(Source("unlisted.txt"), Copy("unlisted.txt"), &error));
  EXPECT_EQ(error, static_cast<unsigned long>(ERROR_INVALID_DATA));
  EXPECT_FALSE(Exists(Copy("unlisted.txt")));

  std::string failed = copies.Finish();
  EXPECT_EQ(failed, Source("changed.txt"));
  EXPECT_TRUE(Exists(Copy("good.txt")));
  EXPECT_FALSE(Exists(Copy("changed.txt")));
  // The first file found is the one reported: the unlisted one, found before the checks
  // of the copies had ended.
  EXPECT_EQ(medium_.broken_file(), Source("unlisted.txt"));
}

TEST_F(SealedCopiesTest, AHeldFileCanBeReadButNeitherWrittenNorDeleted) {
  ASSERT_TRUE(HoldMediumFile(Source("good.txt")));
  HANDLE writer = CreateFileA(Source("good.txt").c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(DeleteFileA(Source("good.txt").c_str()));
  std::ifstream reader(Source("good.txt"));
  std::string text;
  reader >> text;
  EXPECT_EQ(text, "abc");
  // Missing and unlisted is fine, missing and listed is not, and so is a changed file.
  EXPECT_TRUE(HoldMediumFile(Source("absent.txt")));
  EXPECT_FALSE(medium_.broken());
  EXPECT_FALSE(HoldMediumFile(Source("changed.txt")));
  EXPECT_EQ(medium_.broken_file(), Source("changed.txt"));
}

}  // namespace
