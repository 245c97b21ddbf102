#include "platform/system_calls.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/wide_text_win32.h"
#include "platform/windows_prelude.h"

namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

// The output handle is a file, as when output is redirected: WriteConsoleW fails on it,
// so only what takes the standard-output fallback is seen.
class ConsoleWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    path_ = std::string(temp) + "vel_output_test_" + std::to_string(GetCurrentProcessId()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    file_ = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file_, INVALID_HANDLE_VALUE);
  }
  void TearDown() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    DeleteFileA(path_.c_str());
  }
  std::string Printed(const std::string& text) {
    CaptureStdout();
    kSystemCalls.write_console(file_, text.c_str());
    return GetCapturedStdout();
  }

  std::string path_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

TEST_F(ConsoleWriteTest, TextThatFitsTheConversionBufferGoesToTheConsole) {
  EXPECT_EQ(Printed(std::string(1022, 'a')), "");
  // 1100 bytes but 800 UTF-16 units: the buffer counts units.
  std::string accented;
  for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";
  EXPECT_EQ(Printed(accented + std::string(500, 'a')), "");
}

TEST_F(ConsoleWriteTest, LongerTextGoesToStandardOutputUnconverted) {
  std::string text = "100% done, %s ";
  text += std::string(1023 - text.size(), 'b');
  EXPECT_EQ(Printed(text), text);
  std::string accented = "\xC3\xA9" + std::string(1022, 'b');  // 1023 units
  EXPECT_EQ(Printed(accented), accented);
}

TEST(Utf8ToWide, ConvertsAnyLanguageAndReplacesBrokenSequences) {
  EXPECT_EQ(Utf8ToWide("Pr\xC3\xBC"
                       "fung: \xE2\x82\xAC"),
            L"Pr\u00FCfung: \u20AC");
  EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\uFFFD");
  EXPECT_EQ(Utf8ToWide(""), L"");
}

}  // namespace
