#include "messages/message_output.h"

#include <gtest/gtest.h>

#include <string>

#include "messages/message_map.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "tests/support/fake_system.h"

namespace {

class MessageOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_message_maps.local = CreateMessageMap();
    MessageMapPut(g_message_maps.local, "S_TAV",
                  "Installationsprogramm f\xC3\xBCr Gr\xC3\xB6\xC3\x9F"
                  "en");
    MessageMapPut(g_message_maps.local, "S_ENTER_ENTER", "Press Enter");
  }
  void TearDown() override { FreeMessageMaps(); }
  FakeSystem system_;
};

TEST_F(MessageOutputTest, WithoutAConsoleHandleTextIsDropped) {
  for (void* handle : {static_cast<void*>(nullptr), reinterpret_cast<void*>(-1)}) {
    SetConsoleOutput(handle);
    ConsolePrint("short");
  }
  EXPECT_EQ(system_.console, "");
}

TEST_F(MessageOutputTest, ErrorsGoToTheConsoleWhenSilentElseToABoxCaptionedWithTheTitle) {
  g_run_flags.silent = true;
  ShowError("ERROR: one");
  EXPECT_EQ(system_.console, "ERROR: one");
  EXPECT_EQ(system_.boxes, "");
  g_run_flags.silent = false;
  ShowError(
      "Pr\xC3\xBC"
      "fung \xE2\x82\xAC");
  EXPECT_EQ(system_.console, "ERROR: one");
  EXPECT_EQ(system_.boxes,
            "[Installationsprogramm f\xC3\xBCr Gr\xC3\xB6\xC3\x9F"
            "en] Pr\xC3\xBC"
            "fung \xE2\x82\xAC\n");
}

TEST_F(MessageOutputTest, WaitForEnterReadsOneCharacterOnlySilentWithAConsole) {
  system_.input = "abc";
  WaitForEnter();  // not silent: nothing asked, nothing read
  EXPECT_EQ(system_.input_read, 0u);
  g_run_flags.silent = true;
  WaitForEnter();
  EXPECT_EQ(system_.console, "Press Enter");
  EXPECT_EQ(system_.input_read, 1u);
  // -NOCONSOLE: nobody saw the error, nobody can press Enter.
  SetConsoleOutput(nullptr);
  WaitForEnter();
  EXPECT_EQ(system_.input_read, 1u);
}

TEST_F(MessageOutputTest, FreedMapsYieldTheKeyItself) {
  g_message_maps.base = CreateMessageMap();
  MessageMapPut(g_message_maps.base, "S_TAV", "Installer");
  ASSERT_STREQ(BaseMessage(msg::S_TAV), "Installer");
  FreeMessageMaps();
  FreeMessageMaps();
  EXPECT_EQ(g_message_maps.local, nullptr);
  EXPECT_STREQ(LocalMessage(msg::S_TAV), "S_TAV");
  EXPECT_STREQ(BaseMessage(msg::S_TAV), "S_TAV");
}

}  // namespace
