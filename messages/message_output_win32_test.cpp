#include "messages/message_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "messages/message_map.h"
#include "messages/messages.h"
#include "platform/windows_prelude.h"

namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

// The message boxes ShowError would have shown: text, then caption.
std::vector<std::pair<std::wstring, std::wstring>> boxes_;
void RecordMessageBox(const wchar_t* text, const wchar_t* caption) {
  boxes_.emplace_back(text, caption);
}

// Standard input reads `text` for the rest of the test, as if typed ahead.
void FeedStandardInput(const std::string& text, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fputs(text.c_str(), file);
  std::fclose(file);
  ASSERT_NE(std::freopen(path.c_str(), "rb", stdin), nullptr);
}

// The output handle is a file, as when output is redirected: WriteConsoleW fails on it,
// so only what takes the standard-output fallback is seen.
class MessageOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_console_ = g_console;
    g_console.show_message_box = RecordMessageBox;
    boxes_.clear();
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    path_ = std::string(temp) + "vel_output_test_" + std::to_string(GetCurrentProcessId()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    file_ = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file_, INVALID_HANDLE_VALUE);
    g_console.output = file_;
  }
  void TearDown() override {
    g_console = saved_console_;
    FreeMessageMaps();
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    DeleteFileA(path_.c_str());
    // Standard input fed by a test is let go, so its file can be removed.
    std::freopen("NUL", "rb", stdin);
    for (const char* suffix : {".in", ".in2"}) DeleteFileA((path_ + suffix).c_str());
  }
  std::string Printed(const std::string& text) {
    CaptureStdout();
    ConsolePrint(text.c_str());
    return GetCapturedStdout();
  }

  ConsoleState saved_console_;
  std::string path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

TEST_F(MessageOutputTest, WithoutAConsoleHandleTextIsDropped) {
  for (void* handle : {static_cast<void*>(nullptr), static_cast<void*>(INVALID_HANDLE_VALUE)}) {
    g_console.output = handle;
    EXPECT_EQ(Printed("short"), "");
    EXPECT_EQ(Printed(std::string(1023, 'x')), "");
  }
}

TEST_F(MessageOutputTest, TextThatFitsTheConversionBufferGoesToTheConsole) {
  EXPECT_EQ(Printed(std::string(1022, 'a')), "");
  // 1100 bytes but 800 UTF-16 units: the buffer counts units.
  std::string accented;
  for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";
  EXPECT_EQ(Printed(accented + std::string(500, 'a')), "");
}

TEST_F(MessageOutputTest, LongerTextGoesToStandardOutputUnconverted) {
  std::string text = "100% done, %s ";
  text += std::string(1023 - text.size(), 'b');
  EXPECT_EQ(Printed(text), text);
  std::string accented = "\xC3\xA9" + std::string(1022, 'b');  // 1023 units
  EXPECT_EQ(Printed(accented), accented);
}

TEST_F(MessageOutputTest, SilentErrorGoesToTheConsoleAndNoBox) {
  g_console.silent = true;
  std::string text = "ERROR: " + std::string(1100, 'e');
  CaptureStdout();
  ShowError(text.c_str());
  EXPECT_EQ(GetCapturedStdout(), text);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(MessageOutputTest, ErrorBoxShowsUtf8TextAndCaptionInAnyLanguage) {
  g_console.silent = false;
  g_message_maps.local = CreateMessageMap();
  MessageMapPut(g_message_maps.local, "S_TAV",
                "Installationsprogramm f\xC3\xBCr Gr\xC3\xB6\xC3\x9F"
                "en");
  CaptureStdout();
  ShowError(
      "Pr\xC3\xBC"
      "fung fehlgeschlagen: \xE2\x82\xAC");
  EXPECT_EQ(GetCapturedStdout(), "");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].first, L"Pr\u00FCfung fehlgeschlagen: \u20AC");
  EXPECT_EQ(boxes_[0].second,
            L"Installationsprogramm f\u00FCr Gr\u00F6\u00DF"
            L"en");
}

TEST_F(MessageOutputTest, WaitForEnterOutsideSilentModeReadsNothing) {
  g_console.silent = false;
  // Long enough to take the standard-output fallback, were it printed.
  g_message_maps.local = CreateMessageMap();
  MessageMapPut(g_message_maps.local, "S_ENTER_ENTER", std::string(1023, 'p'));
  FeedStandardInput("x", path_ + ".in");
  CaptureStdout();
  WaitForEnter();
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(std::getchar(), 'x');
}

TEST_F(MessageOutputTest, SilentWaitForEnterReadsOneCharacterOnlyWithAConsole) {
  g_console.silent = true;
  g_message_maps.local = CreateMessageMap();
  MessageMapPut(g_message_maps.local, "S_ENTER_ENTER", std::string(1023, 'p'));
  FeedStandardInput("ab", path_ + ".in");
  CaptureStdout();
  WaitForEnter();
  EXPECT_EQ(GetCapturedStdout(), std::string(1023, 'p'));
  EXPECT_EQ(std::getchar(), 'b');

  // -NOCONSOLE: no console output, so no pause either; the input stays unread.
  g_console.output = nullptr;
  FeedStandardInput("c", path_ + ".in2");
  CaptureStdout();
  WaitForEnter();
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(std::getchar(), 'c');
}

TEST_F(MessageOutputTest, FreedMapsYieldTheKeyItself) {
  g_message_maps.local = CreateMessageMap();
  g_message_maps.base = CreateMessageMap();
  MessageMapPut(g_message_maps.local, "S_TAV", "Installer");
  MessageMapPut(g_message_maps.base, "S_TAV", "Installer");
  ASSERT_STREQ(LocalMessage("S_TAV"), "Installer");
  FreeMessageMaps();
  FreeMessageMaps();
  EXPECT_EQ(g_message_maps.local, nullptr);
  EXPECT_STREQ(LocalMessage("S_TAV"), "S_TAV");
  EXPECT_STREQ(BaseMessage("S_TAV"), "S_TAV");
}

}  // namespace
