#include "platform/medium_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ComponentDataFiles, JoinsTheMediumLayoutWithoutTrailingBackslash) {
  EXPECT_EQ(ComponentDataFiles("velmor.swd.tav", "1.7.0.0.0"),
            "..\\stage\\Components\\velmor.swd.tav\\1.7.0.0.0\\1\\DataFiles");
}

TEST(ScratchNames, BaseNameAndNumberedCandidates) {
  std::string base = ScratchBaseName("C:\\Temp", "2010-11-05_09-41-07PM");
  EXPECT_EQ(base, "C:\\Temp\\VelInstall2010-11-05_09-41-07PM");
  EXPECT_EQ(ScratchCandidate(base, 0), base);
  EXPECT_EQ(ScratchCandidate(base, 1), base + "_1");
  EXPECT_EQ(ScratchCandidate(base, 1024), base + "_1024");
  EXPECT_EQ(ScratchBaseName("C:", "7"), "C:\\VelInstall7");
}

TEST(IsScratchDirectoryName, OnlyTheNamesTheLauncherGives) {
  const struct {
    const char* name;
    bool is_scratch;
  } cases[] = {
      {"VelInstall2010-11-05_09-41-07PM", true},
      {"VelInstall2010-11-05_09-41-07AM", true},
      {"VelInstall2010-11-05_09-41-07PM_1", true},
      {"VelInstall2010-11-05_09-41-07PM_1024", true},
      {"VelInstall2010-11-05_09-41-07PM_1025", false},
      {"VelInstall2010-11-05_09-41-07PM_10240", false},
      {"VelInstall2010-11-05_09-41-07PM_0", false},
      {"VelInstall2010-11-05_09-41-07PM_01", false},
      {"VelInstall2010-11-05_09-41-07PM_", false},
      {"VelInstall2010-11-05_09-41-07PM_1_1", false},
      {"VelInstall2010-11-05_09-41-07PMx", false},
      {"VelInstall2010-11-05_09-41-07pm", false},
      {"VelInstall2010-11-05_09-41-07XM", false},
      {"VelInstall2010-11-05_09-41-07", false},
      {"VelInstall2010-11-05_09-41-7PM", false},
      {"VelInstall2010-11-05-09-41-07PM", false},
      {"VelInstall2010-1a-05_09-41-07PM", false},
      {"velinstall2010-11-05_09-41-07PM", false},
      {"XVelInstall2010-11-05_09-41-07PM", false},
      {"VelInstall7", false},
      {"VelInstall7_1", false},
      {"VelInstallers", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsScratchDirectoryName(c.name), c.is_scratch) << c.name;
}

}  // namespace
