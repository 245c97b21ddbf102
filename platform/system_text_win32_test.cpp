#include "platform/system_text.h"

#include <gtest/gtest.h>

#include "platform/windows_prelude.h"

namespace {

TEST(SystemTextToUtf8, AsciiStaysAndAnsiLettersBecomeUtf8) {
  EXPECT_EQ(SystemTextToUtf8(""), "");
  EXPECT_EQ(SystemTextToUtf8("C:\\TEMP\\x y"), "C:\\TEMP\\x y");
  if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << GetACP();
  // "C:\Users\José\Temp\Größe" in code page 1252.
  EXPECT_EQ(SystemTextToUtf8("C:\\Users\\Jos\xE9\\Temp\\Gr\xF6\xDF"
                             "e"),
            "C:\\Users\\Jos\xC3\xA9\\Temp\\Gr\xC3\xB6\xC3\x9F"
            "e");
}

}  // namespace
