#include "messages/log_location.h"

#include <gtest/gtest.h>

namespace {

TEST(ChooseLogDirectory, OverrideThenInventoryThenFallback) {
  EXPECT_EQ(ChooseLogDirectory("D:\\mylogs", "C:\\Inv", "C:\\T\\VelInstall1"), "D:\\mylogs\\logs");
  EXPECT_EQ(ChooseLogDirectory("", "C:\\Inv", "C:\\T\\VelInstall1"), "C:\\Inv\\logs");
  // The scratch directory itself holds the log, without a logs subdirectory.
  EXPECT_EQ(ChooseLogDirectory("", "", "C:\\T\\VelInstall1"), "C:\\T\\VelInstall1");
}

TEST(LogFilePath, TheNameOfPrefixAndTimestampInTheDirectory) {
  EXPECT_EQ(LogFilePath("C:\\Inv\\logs", LogFileName("installActions", "2010-11-05_03-04-05PM")),
            "C:\\Inv\\logs\\installActions2010-11-05_03-04-05PM.log");
  EXPECT_EQ(LogFilePath("C:\\T\\", LogFileName("AttachHome", "T1")), "C:\\T\\AttachHomeT1.log");
}

}  // namespace
