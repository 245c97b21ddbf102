#include "messages/format_text.h"

#include <gtest/gtest.h>

#include "messages/message_map.h"
#include "messages/messages.h"
#include "platform/windows_prelude.h"

namespace {

// Paths come from ANSI calls; the texts they are put into are UTF-8, on the console and
// in the log alike.
TEST(FormatTextWin32, StringArgumentsEnterMessagesAsUtf8) {
  if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << GetACP();
  g_message_maps.local = CreateMessageMap();
  g_message_maps.base = CreateMessageMap();
  MessageMapPut(g_message_maps.local, "S_ERPERDIR",
                "Verzeichnis \xC3\xBC"
                "ber %s");
  MessageMapPut(g_message_maps.base, "S_ERPERDIR", "Directory %s");
  const char* ansi_path = "C:\\Users\\Jos\xE9\\Temp";
  EXPECT_EQ(LocalText(msg::S_ERPERDIR, ansi_path),
            "Verzeichnis \xC3\xBC"
            "ber C:\\Users\\Jos\xC3\xA9\\Temp");
  EXPECT_EQ(BaseText(msg::S_ERPERDIR, ansi_path), "Directory C:\\Users\\Jos\xC3\xA9\\Temp");
  EXPECT_EQ(LocalText(msg::S_ERGOSLST, "CreateTAVProcess()", 5), "S_ERGOSLST");
  FreeMessageMaps();
}

}  // namespace
