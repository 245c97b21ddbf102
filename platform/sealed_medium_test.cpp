#include "platform/sealed_medium.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RelativeMediumPath, NamesAFileAsTheListDoes) {
  const struct {
    const char* base;
    const char* path;
    const char* relative;
  } cases[] = {
      {"D:\\disk1", "D:\\disk1\\resource\\cons.nls", "resource/cons.nls"},
      {"D:\\disk1\\", "d:\\DISK1\\Resource\\CONS.nls", "resource/cons.nls"},
      {"D:\\disk1", "D:\\velparam.ini", "../velparam.ini"},
      {"D:\\disk1", "D:\\disk1\\.\\stage\\..\\unzip.exe", "unzip.exe"},
      {"D:\\media\\disk1", "D:\\other\\x.jar", "../../other/x.jar"},
      {"D:\\disk1", "E:\\disk1\\unzip.exe", ""},
      {"\\\\server\\share\\disk1", "\\\\server\\share\\disk1\\unzip.exe", "unzip.exe"},
      {"\\\\server\\share\\disk1", "\\\\other\\share\\disk1\\unzip.exe", ""},
      // ".." never climbs above the drive.
      {"D:\\disk1", "D:\\..\\..\\disk1\\unzip.exe", "unzip.exe"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RelativeMediumPath(c.base, c.path), c.relative) << c.base << " " << c.path;
  }
}

TEST(IsWithinDirectory, TheDirectoryAndWhatIsBelowItOnly) {
  const struct {
    const char* directory;
    const char* path;
    bool within;
  } cases[] = {
      {"C:\\Temp\\VelInstall1", "C:\\Temp\\VelInstall1", true},
      {"C:\\Temp\\VelInstall1", "c:\\temp\\velinstall1\\tav\\jlib", true},
      {"C:\\Temp\\VelInstall1", "C:\\Temp\\VelInstall1\\..\\x", false},
      {"C:\\Temp\\VelInstall1", "C:\\Temp\\VelInstall10", false},
      {"C:\\Temp\\VelInstall1", "C:\\Temp", false},
      {"C:\\Temp\\VelInstall1", "D:\\Temp\\VelInstall1\\tav", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsWithinDirectory(c.directory, c.path), c.within) << c.path;
  }
}

const std::string kDigestA(64, 'a');
const std::string kDigestB(64, 'b');

TEST(SealedMedium, FindsListedFilesByTheirPathFromTheLauncherDirectory) {
  SealedMedium medium;
  ASSERT_TRUE(medium.Load("D:\\disk1",
                          kDigestA + "  ../velparam.ini\n" + kDigestB + "  resource/cons.nls\n"));
  ASSERT_NE(medium.Find("D:\\velparam.ini"), nullptr);
  EXPECT_EQ(*medium.Find("D:\\velparam.ini"), kDigestA);
  ASSERT_NE(medium.Find("d:\\disk1\\RESOURCE\\cons.nls"), nullptr);
  EXPECT_EQ(*medium.Find("d:\\disk1\\RESOURCE\\cons.nls"), kDigestB);
  EXPECT_EQ(medium.Find("D:\\disk1\\velparam.ini"), nullptr);
  EXPECT_EQ(medium.Find("E:\\disk1\\resource\\cons.nls"), nullptr);
}

TEST(SealedMedium, RefusesAListThatIsNotAsVelcheckWritesIt) {
  const std::string lists[] = {
      kDigestA + " velparam.ini\n",                             // one space
      kDigestA.substr(1) + "   velparam.ini\n",                 // 63 digits
      std::string(64, 'A') + "  velparam.ini\n",                // upper case
      kDigestA + "  \n",                                        // no path
      kDigestA + "  unzip.exe\n" + kDigestB + "  UNZIP.EXE\n",  // a path twice
      kDigestA + "  unzip.exe\n\n",                             // an empty line
  };
  for (const std::string& list : lists) {
    SealedMedium medium;
    EXPECT_FALSE(medium.Load("D:\\disk1", list)) << list;
  }
  SealedMedium medium;
  EXPECT_TRUE(medium.Load("D:\\disk1", ""));
  EXPECT_TRUE(medium.Load("D:\\disk1", kDigestA + "  unzip.exe"));
}

TEST(SealedMedium, ReportsTheFirstFileFoundBroken) {
  SealedMedium medium;
  EXPECT_FALSE(medium.broken());
  medium.Break("D:\\disk1\\unzip.exe");
  medium.Break("D:\\disk1\\velparam.ini");
  EXPECT_TRUE(medium.broken());
  EXPECT_EQ(medium.broken_file(), "D:\\disk1\\unzip.exe");
}

}  // namespace
