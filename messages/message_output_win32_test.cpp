#include "messages/message_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "messages/message_map.h"
#include "messages/messages.h"
#include "platform/windows_prelude.h"

namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

// The output handle is a file, as when output is redirected: WriteConsoleW fails on it,
// so only what takes the standard-output fallback is seen.
class MessageOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_console_ = g_console.output;
    saved_silent_ = g_console.silent;
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    path_ = std::string(temp) + "vel_output_test_" + std::to_string(GetCurrentProcessId()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    file_ = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file_, INVALID_HANDLE_VALUE);
    g_console.output = file_;
  }
  void TearDown() override {
    g_console.output = saved_console_;
    g_console.silent = saved_silent_;
    FreeMessageMaps();
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    DeleteFileA(path_.c_str());
  }
  std::string Printed(const std::string& text) {
    CaptureStdout();
    ConsolePrint(text.c_str());
    return GetCapturedStdout();
  }

  void* saved_console_ = nullptr;
  bool saved_silent_ = false;
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

TEST_F(MessageOutputTest, SilentErrorGoesToTheConsoleWithoutBlocking) {
  g_console.silent = true;
  std::string text = "ERROR: " + std::string(1100, 'e');
  CaptureStdout();
  DWORD start = GetTickCount();
  ShowError(text.c_str());
  DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(GetCapturedStdout(), text);
  EXPECT_LT(elapsed, 1000u);
}

TEST_F(MessageOutputTest, WaitForEnterOutsideSilentModeReturnsAtOnceSilently) {
  g_console.silent = false;
  // Long enough to take the standard-output fallback, were it printed.
  g_message_maps.local = CreateMessageMap();
  MessageMapPut(g_message_maps.local, "S_ENTER_ENTER", std::string(1023, 'p'));
  CaptureStdout();
  DWORD start = GetTickCount();
  WaitForEnter();
  DWORD elapsed = GetTickCount() - start;
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_LT(elapsed, 1000u);
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
