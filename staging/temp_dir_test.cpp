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
  EXPECT_TRUE(IsUsableTempValue("\\t"));
  EXPECT_FALSE(IsUsableTempValue(""));
}

TEST(IsUsableTempValue, RefusesForbiddenCharactersAfterTheDrive) {
  for (const char* value : {"C:\\a;C:\\b", "C:\\a;b", "C:\\a:b", "C:\\a/b", "C:\\a*", "C:\\a?",
                            "C:\\a<b", "C:\\a>b", "C:\\a|b", "\\x:y", "\\x;y"}) {
    EXPECT_FALSE(IsUsableTempValue(value)) << value;
  }
  // Their neighbours, and what else a folder's name may hold.
  for (const char* value : {"C:\\a=b", "C:\\a,b", "C:\\a.b", "C:\\a b", "C:\\a-b", "\\x=y"}) {
    EXPECT_TRUE(IsUsableTempValue(value)) << value;
  }
}

TEST(IsUsableTempValue, RefusesValuesThatDoNotFitTheBuffer) {
  EXPECT_TRUE(IsUsableTempValue("C:\\" + std::string(1020, 't')));
  EXPECT_FALSE(IsUsableTempValue("C:\\" + std::string(1021, 't')));
}

TEST(ChooseTempDir, TempFirstThenTmpThenTheSystemsThenWindowsTemp) {
  struct Row {
    const char* temp;
    const char* tmp;
    const char* system_temp;
    const char* expected;
  } rows[] = {
      {"C:\\Users\\u1\\Temp\\", "D:\\tmp", "S:\\sys\\", "C:\\Users\\u1\\Temp"},
      {"C:\\", nullptr, "S:\\sys\\", "C:"},
      {nullptr, "\\\\server\\share\\tmp", "S:\\sys\\", "\\\\server\\share\\tmp"},
      // Only one trailing backslash goes.
      {"C:\\t\\\\", nullptr, "S:\\sys\\", "C:\\t\\"},
      // Unset or unusable, and an unusable TEMP is not made good by TMP: the system's.
      {nullptr, nullptr, "S:\\sys\\", "S:\\sys"},
      {"temp", "D:\\tmp", "S:\\sys\\", "S:\\sys"},
      {"", "D:\\tmp", "S:\\sys\\", "S:\\sys"},
      {nullptr, "C:\\Users\\?\\Temp", "S:\\sys\\", "S:\\sys"},
      // Neither, as when the profile path cannot be spelt in the ANSI code page: Windows'.
      {"C:\\Users\\?\\Temp", nullptr, "C:\\Users\\?\\Temp\\", "W:\\Windows\\Temp"},
      {"temp", nullptr, "", "W:\\Windows\\Temp"},
  };
  for (const Row& row : rows) {
    TempDirSources sources;
    sources.temp = row.temp;
    sources.tmp = row.tmp;
    sources.system_temp = row.system_temp;
    sources.windows_dir = "W:\\Windows";
    EXPECT_EQ(ChooseTempDir(sources), row.expected)
        << (row.temp ? row.temp : "(unset)") << " | " << (row.tmp ? row.tmp : "(unset)");
  }
  TempDirSources nothing;
  nothing.temp = "temp";
  EXPECT_EQ(ChooseTempDir(nothing), "");
}

}  // namespace

TEST(KeepsAccessRules, OnlyALocalVolumeWithPersistentAccessLists) {
  struct Row {
    const char* final_path;
    bool persistent_acls;
    bool remote;
    bool keeps;
  } rows[] = {
      {"C:\\Users\\u\\AppData\\Local\\Temp", true, false, true},  // NTFS
      {"E:\\Temp", false, false, false},                          // FAT or exFAT stick
      {"H:\\Temp", true, true, false},                            // a mapped share
      {"\\\\server\\share\\Temp", true, false, false},            // UNC, WebDAV
      {"\\Temp", true, false, true},                              // one backslash is local
  };
  for (const Row& row : rows) {
    EXPECT_EQ(KeepsAccessRules(row.final_path, row.persistent_acls, row.remote), row.keeps)
        << row.final_path;
  }
  EXPECT_EQ(ProtectedTempDir("C:\\Windows", true), "C:\\Windows\\SystemTemp");
  EXPECT_EQ(ProtectedTempDir("C:\\Windows", false), "C:\\Windows\\Temp");
}
