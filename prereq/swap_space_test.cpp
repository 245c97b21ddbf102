#include "prereq/swap_space.h"

#include <gtest/gtest.h>

#include <string>

#include "messages/installer_log.h"
#include "messages/message_map.h"
#include "messages/messages.h"
#include "tests/support/fake_system.h"

namespace {

// The machine a row describes.
long g_status = 0;
std::string g_paging_files;
int g_major = 0;
std::uint64_t g_available = 0;

const PagingSource kMachine = {[](std::string* bytes) {
                                 *bytes = g_paging_files;
                                 return g_status;
                               },
                               [] { return g_major; }, [] { return g_available; }};

TEST(CheckSwapSpace, EachOutcomeShowsItsReason) {
  const std::string sized("C:\\pagefile.sys 1024 2048\0D:\\pagefile.sys 512 1024\0\0", 52);
  const std::string managed("C:\\pagefile.sys 0 0\0\0", 22);
  struct Case {
    const char* requirement;
    long status;
    const std::string& paging_files;
    int major;
    bool failed;
    const char* logged;
  } cases[] = {
      {"3072", 0, sized, 6, false, "[swap 3072][actual 3072][passed]"},
      {"3072.5", 0, sized, 6, true, "[only 3072 of 3072.5][failed]"},
      {"abc", 0, sized, 6, true, "[invalid][failed]"},
      {"-5", 0, sized, 6, true, "[invalid][failed]"},
      {"1", kPagingFilesTooLarge, sized, 6, true, "[too large][failed]"},
      {"1", 2, sized, 6, true, "[no registry][failed]"},
      // System-managed files: what is available counts from Windows 6 on only.
      {"700", 0, managed, 6, false, "[swap 700][actual 700][passed]"},
      {"701", 0, managed, 6, true, "[only 700 of 701][failed]"},
      {"700", 0, managed, 5, true, "[only 0 of 700][failed]"},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    g_message_maps.base = CreateMessageMap();
    const char* const keys[][2] = {{"S_CHECKING_FOR_SWAP", "[swap %s]"},
                                   {"S_ACTUAL_SWAP", "[actual %d]"},
                                   {"S_SPASSED", "[passed]"},
                                   {"S_SFAILED", "[failed]"},
                                   {"S_REGISTRY_KEY_TOO_LARGE", "[too large]"},
                                   {"S_INVALID_SWAP_SPACE_REQ", "[invalid]"},
                                   {"S_FAIL_CHECKING_FOR_SWAP", "[only %d of %s]"},
                                   {"S_FAILED_TO_OPEN_REGISTRY", "[no registry]"}};
    for (const auto& key : keys) MessageMapPut(g_message_maps.base, key[0], key[1]);
    g_status = c.status;
    g_paging_files = c.paging_files;
    g_major = c.major;
    g_available = 700;
    {
      InstallerLogSession log;
      EXPECT_EQ(CheckSwapSpace(c.requirement, kMachine), c.failed) << c.requirement;
    }
    EXPECT_EQ(system.Log(), c.logged) << c.requirement << " " << c.major;
    FreeMessageMaps();
  }
}

}  // namespace
