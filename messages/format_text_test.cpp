#include "messages/format_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "messages/message_map.h"
#include "messages/messages.h"
#include "platform/text_buffer.h"

namespace {

class FormatTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_message_maps.local = CreateMessageMap();
    g_message_maps.base = CreateMessageMap();
  }
  void TearDown() override { FreeMessageMaps(); }
};

TEST(FormatText, FormatsStringsAndInts) {
  EXPECT_EQ(FormatText("%s\\%d", "C:\\TEMP", 3), "C:\\TEMP\\3");
  EXPECT_EQ(FormatText("[%5s|%-4d|%.2s]", "ab", -7, "xyz"), "[   ab|-7  |xy]");
  EXPECT_EQ(FormatText("%d %d", INT_MIN, INT_MAX), "-2147483648 2147483647");
  EXPECT_EQ(FormatText("100%%"), "100%");
}

TEST(FormatText, CutsAt1023Characters) {
  std::string argument(5000, 'a');
  argument[0] = 'b';
  std::string text = FormatText("%s", argument.c_str());
  EXPECT_EQ(text.size(), kMaxTextLength);
  EXPECT_EQ(text, argument.substr(0, 1023));

  text = FormatText("<%s>", argument.c_str());
  EXPECT_EQ(text, "<" + argument.substr(0, 1022));
  // A text of exactly 1023 characters is kept whole.
  EXPECT_EQ(FormatText("%s", argument.substr(0, 1023).c_str()), argument.substr(0, 1023));
  EXPECT_EQ(FormatText("%s!", argument.substr(0, 1022).c_str()), argument.substr(0, 1022) + "!");
}

TEST(FormatText, EmptyFormatGivesEmptyText) {
  // The compiler rightly calls an empty literal format pointless; what it gives is tested.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-zero-length"
  EXPECT_EQ(FormatText(""), "");
#pragma GCC diagnostic pop
  EXPECT_EQ(FormatText("%s", ""), "");
}

TEST_F(FormatTextTest, KeyNoCatalogueDefinesYieldsTheKey) {
  EXPECT_EQ(LocalText(msg::S_TAV), "S_TAV");
  EXPECT_EQ(BaseText(msg::S_TAV), "S_TAV");
  // The key has no conversions, so its arguments are not shown.
  EXPECT_EQ(LocalText(msg::S_ERGOSLST, "CreateProcess()", 5), "S_ERGOSLST");
  EXPECT_EQ(BaseText(msg::S_ERPERDIR, "C:\\TEMP"), "S_ERPERDIR");

  FreeMessageMaps();
  EXPECT_EQ(LocalText(msg::S_WAITMSG), "S_WAITMSG");
  EXPECT_EQ(BaseText(msg::S_ERBOOTSTRAP_RANGE, 2047), "S_ERBOOTSTRAP_RANGE");
}

TEST_F(FormatTextTest, LocalAndBaseTextsComeFromTheirOwnMaps) {
  MessageMapPut(g_message_maps.local, "S_ERPERDIR", "Verzeichnis %s ist nicht beschreibbar");
  MessageMapPut(g_message_maps.base, "S_ERPERDIR", "Directory %s is not writable");
  MessageMapPut(g_message_maps.local, "S_ERGOSLST", "%s: Fehler %d");
  MessageMapPut(g_message_maps.base, "S_ERGOSLST", "%s failed with %d");
  MessageMapPut(g_message_maps.base, "S_TAV", "Installer");

  EXPECT_EQ(LocalText(msg::S_ERPERDIR, "C:\\T"), "Verzeichnis C:\\T ist nicht beschreibbar");
  EXPECT_EQ(BaseText(msg::S_ERPERDIR, "C:\\T"), "Directory C:\\T is not writable");
  EXPECT_EQ(LocalText(msg::S_ERGOSLST, "GetCurrentDir()", INT_MIN),
            "GetCurrentDir(): Fehler -2147483648");
  EXPECT_EQ(BaseText(msg::S_ERGOSLST, "GetCurrentDir()", 3), "GetCurrentDir() failed with 3");
  // Only the base map defines S_TAV: the console shows the key.
  EXPECT_EQ(LocalText(msg::S_TAV), "S_TAV");
  EXPECT_EQ(BaseText(msg::S_TAV), "Installer");
}

TEST_F(FormatTextTest, KeyTextsAreCutAt1023Characters) {
  MessageMapPut(g_message_maps.local, "S_ERPERDIR", "PERDIR[%s]");
  MessageMapPut(g_message_maps.base, "S_ENTER_ENTER", std::string(1100, 'e'));
  std::string path(5000, 'p');
  std::string text = LocalText(msg::S_ERPERDIR, path.c_str());
  EXPECT_EQ(text.size(), 1023u);
  EXPECT_EQ(text, ("PERDIR[" + path).substr(0, 1023));
  EXPECT_EQ(BaseText(msg::S_ENTER_ENTER), std::string(1023, 'e'));
}

TEST_F(FormatTextTest, EmptyCatalogueTextGivesEmptyText) {
  MessageMapPut(g_message_maps.local, "S_TAV", "");
  MessageMapPut(g_message_maps.base, "S_ERPERDIR", "");
  EXPECT_EQ(LocalText(msg::S_TAV), "");
  EXPECT_EQ(BaseText(msg::S_ERPERDIR, "ignored"), "");
}

TEST_F(FormatTextTest, PercentSignsAreTextOnlyWhenDoubled) {
  MessageMapPut(g_message_maps.local, "S_ACTUAL_CPU", "%d MHz (100%%)");
  EXPECT_EQ(LocalText(msg::S_ACTUAL_CPU, 2400), "2400 MHz (100%)");
}

}  // namespace
