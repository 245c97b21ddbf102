#include "platform/append_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

class AppendFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel_append_test_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    folder_ = dir_ + "\\a folder of logs";
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override { RemoveTestTree(dir_); }

  // Whether the log could be opened at `path`; closes it.
  static bool Opens(const std::string& path) {
    std::FILE* file = OpenAppendFile(path);
    if (file == nullptr) return false;
    std::fputs("line\n", file);
    std::fclose(file);
    return true;
  }
  bool LogExists() const {
    return GetFileAttributesA((folder_ + "\\x.log").c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  std::string dir_, folder_;
};

// The folder's short name is the same folder: the system reports the long one.
TEST_F(AppendFileTest, AFolderNamedByItsShortNameTakesTheLog) {
  char short_name[MAX_PATH];
  DWORD length = GetShortPathNameA(folder_.c_str(), short_name, MAX_PATH);
  ASSERT_GT(length, 0u);
  if (std::string(short_name) == folder_) GTEST_SKIP() << "no short names here";
  EXPECT_TRUE(Opens(std::string(short_name) + "\\x.log"));
  EXPECT_TRUE(LogExists());
}

// A pattern names no folder, although one would match it.
TEST_F(AppendFileTest, AFolderPatternTakesNoLog) {
  for (const char* pattern : {"\\a folder*", "\\a folder of log?"}) {
    EXPECT_FALSE(Opens(dir_ + pattern + "\\x.log")) << pattern;
  }
  EXPECT_FALSE(LogExists());
}

}  // namespace
