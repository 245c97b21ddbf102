#include "prereq/prereq_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "prereq/paging_files.h"

namespace {

TEST(VersionLists, FormattedAndSearchedPieceByPiece) {
  EXPECT_EQ(FormatVersionList(""), "");
  EXPECT_EQ(FormatVersionList("5.0"), "5.0");
  EXPECT_EQ(FormatVersionList("5.0,5.1"), "5.0 or 5.1");
  EXPECT_EQ(FormatVersionList("5.0,5.1,5.2"), "5.0, 5.1 or 5.2");
  EXPECT_EQ(FormatVersionList(",5.0,,5.1, 6.1,"), "5.0, 5.1 or  6.1");
  EXPECT_TRUE(ListContains("5.1,6.1", "6.1"));
  EXPECT_FALSE(ListContains("5.1, 6.1", "6.1"));
  EXPECT_FALSE(ListContains("5.1,6.10", "6.1"));
  EXPECT_FALSE(ListContains("", ""));
}

TEST(ServicePack, ThirdWordComparedAsListOrAsText) {
  EXPECT_EQ(ServicePackNumber("Service Pack 6a"), "6a");
  EXPECT_EQ(ServicePackNumber("Service  Pack   3 extra"), "3");
  EXPECT_EQ(ServicePackNumber("Service Pack"), "");
  EXPECT_EQ(ServicePackNumber(""), "");
  EXPECT_TRUE(ServicePackAccepted("3", "6"));
  EXPECT_TRUE(ServicePackAccepted("3", "6a"));
  EXPECT_TRUE(ServicePackAccepted("6", "6"));
  EXPECT_FALSE(ServicePackAccepted("9", "10"));  // text order, as it always was
  EXPECT_FALSE(ServicePackAccepted("3,4", "6"));
  EXPECT_TRUE(ServicePackAccepted("3,6", "6"));
}

TEST(DisplayColours, TableAndVerdicts) {
  const std::pair<int, const char*> table[] = {{1, "2.000000"},
                                               {4, "16"},
                                               {8, "256"},
                                               {15, "32768"},
                                               {16, "65536"},
                                               {24, "16777216"},
                                               {32, "4294967296"},
                                               {48, "281474976710656"},
                                               {64, "18446744073709551616"},
                                               {12, "4096.000000"},
                                               {40, "1099511627776"},
                                               {0, "1.000000"}};
  for (const auto& [bits, text] : table) EXPECT_EQ(ColourCountText(bits), text) << bits;
  EXPECT_EQ(CheckColours("257", 8), Verdict::kPassed);
  EXPECT_EQ(CheckColours("258", 8), Verdict::kFailed);
  EXPECT_EQ(CheckColours("65536", 16), Verdict::kPassed);
  EXPECT_EQ(CheckColours("1e30", 32), Verdict::kPassed);
  EXPECT_EQ(CheckColours("0", 8), Verdict::kNone);
  EXPECT_EQ(CheckColours("abc", 8), Verdict::kNone);
}

TEST(Processor, LeadingDigitsAgainstTheClock) {
  EXPECT_EQ(CheckClock("500", 500), Verdict::kPassed);
  EXPECT_EQ(CheckClock("500MHz", 499), Verdict::kFailed);
  EXPECT_EQ(CheckClock("0", 0), Verdict::kNone);
  EXPECT_EQ(CheckClock("abc", 3000), Verdict::kNone);
  EXPECT_EQ(CheckClock("-5", 3000), Verdict::kNone);
  EXPECT_EQ(LeadingInteger(" 42x"), 42);
  EXPECT_EQ(LeadingInteger("99999999999999"), 2147483647);
  EXPECT_EQ(LeadingInteger("-99999999999999"), -2147483647 - 1);
}

TEST(FailureText, GrowsByMessagesAndStopsAt1023Characters) {
  std::string text;
  AppendFailureMessage(&text, "");
  EXPECT_EQ(text, "");
  AppendFailureMessage(&text, "first");
  AppendFailureMessage(&text, "second");
  EXPECT_EQ(text, "\n\nfirst\n\nsecond");
  AppendFailureMessage(&text, std::string(2000, 'x'));
  EXPECT_EQ(text.size(), 1023u);
  EXPECT_EQ(text.substr(0, 17), "\n\nfirst\n\nsecond\n\n");
  AppendFailureMessage(&text, "more");
  EXPECT_EQ(text.size(), 1023u);
}

TEST(Answers, ByFirstCharacterAndNoAtTheEndOfInput) {
  EXPECT_EQ(ClassifyAnswer("y\n"), Answer::kYes);
  EXPECT_EQ(ClassifyAnswer("Yes please\n"), Answer::kYes);
  EXPECT_EQ(ClassifyAnswer("n\n"), Answer::kNo);
  EXPECT_EQ(ClassifyAnswer("N"), Answer::kNo);
  EXPECT_EQ(ClassifyAnswer("\n"), Answer::kNo);
  EXPECT_EQ(ClassifyAnswer(nullptr), Answer::kNo);
  EXPECT_EQ(ClassifyAnswer("maybe\n"), Answer::kAgain);
  EXPECT_EQ(ClassifyAnswer(""), Answer::kAgain);
}

double Sum(const std::string& bytes) { return SumPagingFileMaxima(bytes.data(), bytes.size()); }

TEST(PagingFiles, SumsTheMaximumSizesOfTheEntries) {
  EXPECT_EQ(Sum(std::string("C:\\pagefile.sys 1024 2048\0D:\\pagefile.sys 512 1024\0\0", 52)),
            3072);
  EXPECT_EQ(Sum("C:\\pagefile.sys 1024 2048"), 2048);
  EXPECT_EQ(Sum("?:\\pagefile.sys 1024 4096"), 4096);
  EXPECT_EQ(Sum(std::string("C:\\pagefile.sys 0 0\0", 20)), 0);
  EXPECT_EQ(Sum("no drive at all 1 2"), 0);
  EXPECT_EQ(Sum("C:\\pagefile.sys"), 0);
  EXPECT_EQ(Sum("C:\\pagefile.sys 100"), 0);
  EXPECT_EQ(Sum("C:\\page file.sys 100 200"), 0);  // a name is one word
  EXPECT_EQ(Sum("C:\\pagefile.sys 1 99999999999"), 2147483647);
  EXPECT_EQ(Sum(""), 0);
}

}  // namespace

namespace {

TEST(FindPrereqCheck, EachRowIsFoundByItsExactKeyOnly) {
  for (const PrereqCheckInfo& row : kPrereqChecks) {
    EXPECT_EQ(FindPrereqCheck(row.key), &row) << row.key;
    std::string lower = row.key;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    EXPECT_EQ(FindPrereqCheck(lower), nullptr) << row.key;
    EXPECT_EQ(FindPrereqCheck(row.failure_message_key), nullptr) << row.key;
  }
  EXPECT_EQ(FindPrereqCheck(""), nullptr);
}

}  // namespace
