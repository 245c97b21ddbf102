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
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsLegacyText(row.bytes), row.legacy) << row.name;
    EXPECT_EQ(IsValidUtf8(row.bytes), row.valid_utf8) << row.name;
  }
}

}  // namespace
