#include "params/parameter_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ParameterSearch, LauncherDirectoryIsDriveAndDirectoryWithoutTrailingBackslash) {
  EXPECT_EQ(LauncherDirectoryOf("D:\\disk1\\setup.exe"), "D:\\disk1");
  EXPECT_EQ(LauncherDirectoryOf("D:\\setup.exe"), "D:");
  EXPECT_EQ(LauncherDirectoryOf("setup.exe"), "");
  EXPECT_EQ(LauncherDirectoryOf("D:setup.exe"), "D:");
  EXPECT_EQ(LauncherDirectoryOf(".\\setup.exe"), ".");
  EXPECT_EQ(LauncherDirectoryOf("\\\\server\\share\\disk1\\setup.exe"), "\\\\server\\share\\disk1");
  EXPECT_EQ(LauncherDirectoryOf("D:\\a.b\\c d\\setup.exe"), "D:\\a.b\\c d");
}

TEST(ParameterSearch, StartupDirectoryDropsALeadingDotBackslash) {
  EXPECT_EQ(StartupDirectoryOf("D:\\disk1\\setup.exe"), "D:\\disk1");
  EXPECT_EQ(StartupDirectoryOf("D:\\setup.exe"), "D:");
  EXPECT_EQ(StartupDirectoryOf(".\\setup.exe"), ".");
  EXPECT_EQ(StartupDirectoryOf("setup.exe"), ".");
  EXPECT_EQ(StartupDirectoryOf(".\\disk1\\setup.exe"), "disk1");
  EXPECT_EQ(StartupDirectoryOf("..\\disk1\\setup.exe"), "..\\disk1");
  EXPECT_EQ(StartupDirectoryOf("\\\\server\\share\\setup.exe"), "\\\\server\\share");
}

TEST(ParameterSearch, CandidatesAreStartupThenLauncherEachWithItsParent) {
  EXPECT_EQ(ParameterFileCandidates("E:\\start", "D:\\disk1"),
            (std::vector<std::string>{"E:\\start\\velparam.ini", "E:\\start\\..\\velparam.ini",
                                      "D:\\disk1\\velparam.ini", "D:\\disk1\\..\\velparam.ini"}));
  EXPECT_EQ(ParameterFileCandidates(".", "D:"),
            (std::vector<std::string>{".\\velparam.ini", ".\\..\\velparam.ini", "D:\\velparam.ini",
                                      "D:\\..\\velparam.ini"}));
  EXPECT_EQ(ParameterFileCandidates("\\\\srv\\sh", "\\\\srv\\sh")[1],
            "\\\\srv\\sh\\..\\velparam.ini");
}

}  // namespace
