#include "platform/quoted_path.h"

#include <gtest/gtest.h>

namespace {

TEST(QuotableDirectory, NoBackslashBeforeTheClosingQuote) {
  EXPECT_EQ(QuotableDirectory("C:\\Temp\\VelInstall7\\"), "C:\\Temp\\VelInstall7");
  EXPECT_EQ(QuotableDirectory("C:\\Temp\\\\\\"), "C:\\Temp");
  EXPECT_EQ(QuotableDirectory("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(QuotableDirectory("C:\\"), "C:\\\\");
  EXPECT_EQ(QuotableDirectory("C:\\\\"), "C:\\\\");
  EXPECT_EQ(QuotableDirectory("\\"), "\\\\");
  EXPECT_EQ(QuotableDirectory("boot"), "boot");
  EXPECT_EQ(QuotableDirectory(""), "");
}

TEST(QuotedPath, QuotesTheQuotableDirectory) {
  EXPECT_EQ(QuotedPath("C:\\jdk\\"), "\"C:\\jdk\"");
  EXPECT_EQ(QuotedPath("C:\\"), "\"C:\\\\\"");
  EXPECT_EQ(QuotedPath(""), "\"\"");
}

}  // namespace
