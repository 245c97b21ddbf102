#include "platform/file_text.h"

#include <gtest/gtest.h>

namespace {

TEST(IsLegacyText, OnlyTextThatIsNeitherMarkedNorValidUtf8) {
  struct Row {
    const char* name;
    std::string bytes;
    bool legacy;
    bool valid_utf8;
  } rows[] = {
      {"ascii", "[Velmor]\r\nKEY=value\r\n", false, true},
      {"empty", "", false, true},
      {"utf-8",
       "MSG=Pr\xC3\xBC"
       "fung \xE2\x82\xAC \xF0\x9F\x98\x80",
       false, true},
      {"code page 1252",
       "MSG=Pr\xFC"
       "fung",
       true, false},
      {"utf-8 mark", "\xEF\xBB\xBFMSG=\xFC", false, false},
      {"utf-16 little end", std::string("\xFF\xFEM\0", 4), false, false},
      {"utf-16 big end", std::string("\xFE\xFF\0M", 4), false, false},
      {"stray continuation", "a\x80", true, false},
      {"overlong", "\xC0\xAF", true, false},
      {"overlong three", "\xE0\x80\xAF", true, false},
      {"surrogate", "\xED\xA0\x80", true, false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", true, false},
      {"cut short", "ab\xE2\x82", true, false},
      // A lead byte takes only 80 to BF after it: "\xC4\xD6" is "ÄÖ" in code page 1252.
      {"lead then another high byte", "\xC4\xD6", true, false},
      {"lead then ascii", "\xC4\x7F", true, false},
      {"lead then lowest continuation", "\xC4\x80", false, true},
      {"lead then highest continuation", "\xC4\xBF", false, true},
      {"lead then C0", "\xC4\xC0", true, false},
      // Each lead range at both its ends.
      {"overlong two", "\xC1\xBF", true, false},
      {"lowest two", "\xC2\x80", false, true},
      {"highest two", "\xDF\xBF", false, true},
      {"overlong three below U+0800", "\xE0\x9F\xBF", true, false},
      {"lowest three", "\xE0\xA0\x80", false, true},
      {"below the surrogates", "\xED\x9F\xBF", false, true},
      {"above the surrogates", "\xEE\x80\x80", false, true},
      {"highest three", "\xEF\xBF\xBF", false, true},
      {"overlong four below U+10000", "\xF0\x8F\xBF\xBF", true, false},
      {"lowest four", "\xF0\x90\x80\x80", false, true},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF", false, true},
      {"lead beyond F4", "\xF5\x80\x80\x80", true, false},
      {"highest ascii", "\x7F", false, true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsLegacyText(row.bytes), row.legacy) << row.name;
    EXPECT_EQ(IsValidUtf8(row.bytes), row.valid_utf8) << row.name;
  }
}

}  // namespace
