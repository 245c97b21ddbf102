#include "staging/unzip_command.h"

#include <gtest/gtest.h>

#include "staging/timing_line.h"

namespace {

TEST(UnzipCommandLine, QuotesProgramPatternAndDestinationAndEndsInABlank) {
  EXPECT_EQ(UnzipCommandLine("D:\\disk1", "..\\stage\\Components\\velmor.swd.tav\\1\\1\\DataFiles",
                             "C:\\Temp\\VelInstall7", false),
            "\"D:\\disk1\\unzip\" -qqqo \"..\\stage\\Components\\velmor.swd.tav\\1\\1\\DataFiles"
            "/*.jar\" -d \"C:\\Temp\\VelInstall7\" ");
  EXPECT_EQ(UnzipCommandLine("D:\\disk1", "src", "dst", true),
            "\"D:\\disk1\\unzip\" -o \"src/*.jar\" -d \"dst\" ");
}

TEST(UnzipCommandLine, BlanksStayInsideTheirWords) {
  EXPECT_EQ(UnzipCommandLine("C:\\Program Files\\Setup", "D:\\my stage\\DataFiles\\",
                             "C:\\Documents and Settings\\Temp\\VelInstall7", false),
            "\"C:\\Program Files\\Setup\\unzip\" -qqqo \"D:\\my stage\\DataFiles\\/*.jar\" -d "
            "\"C:\\Documents and Settings\\Temp\\VelInstall7\" ");
}

TEST(FormatTimingLine, ThreeBlanksForListedComponentsTwoForTheOthers) {
  EXPECT_EQ(FormatTimingLine("velmor.swd.extra", 1.5f, TimingFormat::kListStep),
            "\n Time taken for bootstrapping velmor.swd.extra is 1.50000   seconds");
  EXPECT_EQ(FormatTimingLine("Access Files", 0.0f, TimingFormat::kLayoutStep),
            "\n Time taken for bootstrapping Access Files is 0.00000  seconds");
  EXPECT_EQ(FormatTimingLine("x", 1234.25f, TimingFormat::kLayoutStep),
            "\n Time taken for bootstrapping x is 1234.25000  seconds");
  EXPECT_EQ(TimingLogPath("C:\\Inv\\logs", "2010-11-05_09-41-07PM"),
            "C:\\Inv\\logs\\time2010-11-05_09-41-07PM.log");
}

}  // namespace
