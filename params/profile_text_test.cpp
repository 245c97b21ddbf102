#include "params/profile_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The rules the profile reader follows, one row each; fuzz/profile_differential_win32
// holds them against the system's reader on random files.
TEST(ReadProfileValue, FollowsTheProfileReadersRules) {
  const std::string text =
      "[Other]\r\nELSEWHERE=x\r\n"
      "  [ velmor ]  \r\n"
      "tav_version = \"11.2.0.1.0\"  \r\n"
      "NESTED=\"\"two\"\"\r\n"
      "SINGLE='one'\r\n"
      "HALF=\"open\r\n"
      "BLANKS =   spaced value   \r\n"
      "\r\n"
      "EMPTY=\r\n"
      "BARE\r\n"
      "TWICE=first\r\nTWICE=second\r\n"
      "EQUALS=a=b\r\n"
      "CR=one\rAFTER_CR=two\n"
      "CAF\xC3\x89=caf\xC3\xA9\r\n"
      "[Velmor]\r\nLATER=ignored\r\n";
  struct Row {
    const char* key;
    const char* value;
  } rows[] = {
      {"TAV_VERSION", "11.2.0.1.0"},
      {"Tav_Version", "11.2.0.1.0"},
      {"NESTED", "\"two\""},
      {"SINGLE", "one"},
      {"HALF", "\"open"},
      {"BLANKS", "spaced value"},
      {"EMPTY", ""},
      {"BARE", "def"},  // a key without "=" has no value at all
      {"TWICE", "first"},
      {"EQUALS", "a=b"},
      {"CR", "one"},
      {"AFTER_CR", "two"},
      {"CAF\xC3\x89", "caf\xC3\xA9"},
      {"MISSING", "def"},
      {"ELSEWHERE", "def"},
      {"LATER", "def"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ReadProfileValue(text, "Velmor", row.key, "def"), row.value) << row.key;
  }
  EXPECT_EQ(ReadProfileValue("ELSEWHERE=x\n", "Velmor", "ELSEWHERE", "def"), "def");
}

TEST(ReadProfileValue, LongValuesKeep1023BytesAndWholeCharacters) {
  std::string text = "[Velmor]\nLONG=" + std::string(2000, 'L') + "\nWIDE=x";
  for (int i = 0; i < 700; ++i) text += "\xC3\xA9";
  EXPECT_EQ(ReadProfileValue(text, "Velmor", "LONG", ""), std::string(1023, 'L'));
  std::string wide = ReadProfileValue(text, "Velmor", "WIDE", "");
  EXPECT_EQ(wide.size(), 1023u);  // "x" and 511 two-byte characters
  EXPECT_EQ(wide.substr(wide.size() - 2), "\xC3\xA9");
}

}  // namespace
