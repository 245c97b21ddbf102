#include "staging/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(IsUsableTempValue, NeedsDriveFormOrLeadingBackslash) {
  EXPECT_TRUE(IsUsableTempValue("C:\\Users\\u1\\AppData\\Local\\Temp\\"));
  EXPECT_TRUE(IsUsableTempValue("C:\\"));
  EXPECT_TRUE(IsUsableTempValue("\\\\server\\share\\tmp"));
  EXPECT_FALSE(IsUsableTempValue("C:"));
  EXPECT_FALSE(IsUsableTempValue("temp"));
  EXPECT_FALSE(IsUsableTempValue("1:\\x"));
  EXPECT_FALSE(IsUsableTempValue("\\"));
  EXPECT_FALSE(IsUsableTempValue(""));
}

TEST(IsUsableTempValue, RefusesForbiddenCharactersAfterTheDrive) {
  for (const char* value :
       {"C:\\a;C:\\b", "C:\\a:b", "C:\\a/b", "C:\\a*", "C:\\a?", "C:\\<a>", "C:\\a|b", "\\x:y"}) {
    EXPECT_FALSE(IsUsableTempValue(value)) << value;
  }
}

TEST(IsUsableTempValue, RefusesValuesThatDoNotFitTheBuffer) {
  EXPECT_TRUE(IsUsableTempValue("C:\\" + std::string(1020, 't')));
  EXPECT_FALSE(IsUsableTempValue("C:\\" + std::string(1021, 't')));
}

TEST(ChooseTempDir, TempFirstThenTmpThenTheDefault) {
  EXPECT_EQ(ChooseTempDir("C:\\Users\\u1\\Temp\\", "D:\\tmp"), "C:\\Users\\u1\\Temp");
  EXPECT_EQ(ChooseTempDir("C:\\", nullptr), "C:");
  EXPECT_EQ(ChooseTempDir(nullptr, "\\\\server\\share\\tmp"), "\\\\server\\share\\tmp");
  EXPECT_EQ(ChooseTempDir(nullptr, nullptr), "C:\\TEMP");
  // An unusable TEMP is not made good by TMP.
  EXPECT_EQ(ChooseTempDir("temp", "D:\\tmp"), "C:\\TEMP");
  EXPECT_EQ(ChooseTempDir("", "D:\\tmp"), "C:\\TEMP");
  // Only one trailing backslash goes.
  EXPECT_EQ(ChooseTempDir("C:\\t\\\\", nullptr), "C:\\t\\");
}

TEST(ScratchNames, BaseNameAndNumberedCandidates) {
  std::string base = ScratchBaseName("C:\\Temp", "2010-11-05_09-41-07PM");
  EXPECT_EQ(base, "C:\\Temp\\VelInstall2010-11-05_09-41-07PM");
  EXPECT_EQ(ScratchCandidate(base, 0), base);
  EXPECT_EQ(ScratchCandidate(base, 1), base + "_1");
  EXPECT_EQ(ScratchCandidate(base, 1024), base + "_1024");
  EXPECT_EQ(ScratchBaseName("C:", "7"), "C:\\VelInstall7");
}

}  // namespace
