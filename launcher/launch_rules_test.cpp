#include "launcher/launch_rules.h"

#include <gtest/gtest.h>

#include <climits>

#include "launcher/launch_settings.h"
#include "params/parameter_settings.h"

namespace {

TEST(ParseBootstrapSize, ReadsLikeAtoiAndClampsHugeValues) {
  EXPECT_EQ(ParseBootstrapSize("52"), 52);
  EXPECT_EQ(ParseBootstrapSize("  2048MB"), 2048);
  EXPECT_EQ(ParseBootstrapSize("-1"), -1);
  EXPECT_EQ(ParseBootstrapSize("+7"), 7);
  EXPECT_EQ(ParseBootstrapSize("abc"), 0);
  EXPECT_EQ(ParseBootstrapSize(""), 0);
  EXPECT_EQ(ParseBootstrapSize("99999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseBootstrapSize("-99999999999999999999"), INT_MIN);
}

TEST(ShouldWaitForInstaller, WaitsUnlessStagedAndNotAskedTo) {
  LaunchSettings launch;
  ParameterSettings params;
  params.bootstrap = "F";
  EXPECT_TRUE(ShouldWaitForInstaller(launch, params));
  params.bootstrap = "T";
  EXPECT_FALSE(ShouldWaitForInstaller(launch, params));
  // Only an upper-case T asks for the wait.
  params.wait_for_completion = "t";
  EXPECT_FALSE(ShouldWaitForInstaller(launch, params));
  params.wait_for_completion = "T";
  EXPECT_TRUE(ShouldWaitForInstaller(launch, params));
  params.wait_for_completion = "F";
  for (bool LaunchSettings::*mode : {&LaunchSettings::wait_for_completion, &LaunchSettings::cleanup,
                                     &LaunchSettings::save_inventory}) {
    LaunchSettings with_mode;
    with_mode.*mode = true;
    EXPECT_TRUE(ShouldWaitForInstaller(with_mode, params));
  }
}

TEST(BootstrapMessage, UsesTwoBlanksWhenStagingOnly) {
  EXPECT_EQ(BootstrapMessage(false, "Copying", "Only", "Wait\n", "C:\\S"), "Copying C:\\S. Wait\n");
  EXPECT_EQ(BootstrapMessage(true, "Copying", "Only", "Wait\n", "C:\\S"), "Only  Wait\n");
}

TEST(ProductTitle, NamesTheCheckerInItsMode) {
  LaunchSettings launch;
  EXPECT_STREQ(ProductTitle(launch), "Tavrun Installer");
  launch.prereq_checker = true;
  EXPECT_STREQ(ProductTitle(launch), "Prerequisite Checker");
}

TEST(IsRemovableScratchPath, GivenPathsMustBeNamedLikeAScratchDirectory) {
  EXPECT_TRUE(IsRemovableScratchPath("D:\\anything", true));
  EXPECT_TRUE(IsRemovableScratchPath("C:\\TEMP\\VelInstall2026-12-09_10-00-00AM", false));
  EXPECT_TRUE(IsRemovableScratchPath("C:\\TEMP\\VelInstall2026-12-09_10-00-00PM_1\\", false));
  EXPECT_FALSE(IsRemovableScratchPath("C:\\TEMP\\VelInstall7_1\\", false));
  EXPECT_FALSE(IsRemovableScratchPath("D:\\VelInstallers", false));
  EXPECT_FALSE(IsRemovableScratchPath("D:\\VelInstall2026-12-09_10-00-00AM\\work", false));
  EXPECT_FALSE(IsRemovableScratchPath("C:\\", false));
  EXPECT_FALSE(IsRemovableScratchPath("D:\\work", false));
  EXPECT_FALSE(IsRemovableScratchPath("D:\\VelInstall\\work", false));
  EXPECT_FALSE(IsRemovableScratchPath("", false));
}

}  // namespace
