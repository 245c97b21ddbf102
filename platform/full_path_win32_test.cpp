#include "platform/full_path.h"

#include <gtest/gtest.h>

#include "platform/windows_prelude.h"

namespace {

TEST(GetFullPath, ResolvesAgainstTheWorkingDirectoryAndNormalises) {
  char cwd[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, cwd), 0u);
  std::string base(cwd);
  if (base.back() != '\\') base += '\\';
  std::string full;
  ASSERT_TRUE(GetFullPath("cfg", &full));
  EXPECT_EQ(full, base + "cfg");
  ASSERT_TRUE(GetFullPath("D:\\stage\\..\\cfg\\.\\prereq", &full));
  EXPECT_EQ(full, "D:\\cfg\\prereq");
}

}  // namespace
