#include "messages/format_check.h"

#include <gtest/gtest.h>

namespace {

TEST(CountFormatArguments, CountsMatchingConversions) {
  EXPECT_EQ(CountFormatArguments("no conversions", ""), 0);
  EXPECT_EQ(CountFormatArguments("Copied %d files", "d"), 1);
  EXPECT_EQ(CountFormatArguments("%s failed: error %d", "sd"), 2);
  EXPECT_EQ(CountFormatArguments("%-10s|%5d|%.3s", "sds"), 3);
  EXPECT_EQ(CountFormatArguments("%x %u %c %i %o %X", "dddddd"), 6);
}

TEST(CountFormatArguments, AllowsFewerConversionsThanArguments) {
  EXPECT_EQ(CountFormatArguments("path omitted", "s"), 0);
  EXPECT_EQ(CountFormatArguments("only %s", "sd"), 1);
}

TEST(CountFormatArguments, PercentPercentIsLiteral) {
  EXPECT_EQ(CountFormatArguments("100%% done", ""), 0);
  EXPECT_EQ(CountFormatArguments("%%s", ""), 0);
  EXPECT_EQ(CountFormatArguments("%%%s", "s"), 1);
}

TEST(CountFormatArguments, RefusesWhatCouldCrashOrCorrupt) {
  EXPECT_EQ(CountFormatArguments("%s", "d"), -1);  // a string read from an int
  EXPECT_EQ(CountFormatArguments("%d", "s"), -1);
  EXPECT_EQ(CountFormatArguments("%s %s", "s"), -1);  // past the last argument
  EXPECT_EQ(CountFormatArguments("%s", ""), -1);
  EXPECT_EQ(CountFormatArguments("%n", "d"), -1);  // writes through a pointer
  EXPECT_EQ(CountFormatArguments("%*d", "dd"), -1);
  EXPECT_EQ(CountFormatArguments("%1$s", "s"), -1);
  EXPECT_EQ(CountFormatArguments("%ld", "d"), -1);
  EXPECT_EQ(CountFormatArguments("%lls", "s"), -1);
  EXPECT_EQ(CountFormatArguments("%f", "d"), -1);
  EXPECT_EQ(CountFormatArguments("%p", "s"), -1);
  EXPECT_EQ(CountFormatArguments("trailing %", ""), -1);
  EXPECT_EQ(CountFormatArguments("%5", "d"), -1);
  EXPECT_EQ(CountFormatArguments("%99999d", "d"), -1);  // absurd width
  EXPECT_EQ(CountFormatArguments("%.9999s", "s"), -1);
}

}  // namespace
