#include "messages/box_text.h"

#include <gtest/gtest.h>

#include <string>

#include "messages/message_map.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "tests/support/fake_system.h"

namespace {

struct BoxCase {
  const char* console;
  const char* box;
};

TEST(BoxText, JoinsConsoleLinesKeepsParagraphsAndDropsOuterLineFeeds) {
  const BoxCase cases[] = {
      {"", ""},
      {"\n\n", ""},
      {"one line", "one line"},
      {"\nERROR: was not\nfound beside setup.exe.\n", "ERROR: was not found beside setup.exe."},
      {"\n\nSome checks failed.\nFix them,\nthen retry.",
       "Some checks failed. Fix them, then retry."},
      {"first\n\nsecond\nline\n", "first\n\nsecond line"},
      {"a\n\n\nb", "a\n\n\nb"},
      {"Pr\xC3\xBC"
       "fung\ngut\n",
       "Pr\xC3\xBC"
       "fung gut"},
  };
  for (const BoxCase& c : cases) EXPECT_EQ(BoxText(c.console), c.box) << c.console;
}

TEST(BoxText, ShowErrorJoinsTheBoxButNotTheConsole) {
  FakeSystem system;
  g_message_maps.local = CreateMessageMap();
  MessageMapPut(g_message_maps.local, "S_TAV", "Installer");
  const char* text = "\nERROR: was not\nfound.\n";
  g_run_flags.silent = false;
  ShowError(text);
  EXPECT_EQ(system.boxes, "[Installer] ERROR: was not found.\n");
  g_run_flags.silent = true;
  ShowError(text);
  EXPECT_EQ(system.console, text);
  FreeMessageMaps();
}

}  // namespace
