#include "prereq/prereq_checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "messages/installer_log.h"
#include "messages/run_flags.h"
#include "tests/support/fake_system.h"

namespace {

// The machine a row describes: Windows 6.1 with Service Pack 1, 32 bits a pixel, 2000 MHz.
std::string g_certified;
bool g_swap_failed = false;

const PrereqMachine kMachine = {
    [](const std::string&, const char*, const char*) { return g_certified; },
    [] {
      OsVersion os;
      os.major = 6;
      os.minor = 1;
      os.service_pack = "Service Pack 1";
      return os;
    },
    [] { return false; },
    [] { return 32; },
    [] { return 2000; },
    [](const std::string&) { return g_swap_failed; }};

enum class Pass { kGeneric, kRequired, kOptional };

TEST(CheckPrereqPass, EachPassChecksItsSectionAndEndsAsItsOutcomeSays) {
  const char* const kFile =
      "[Generic Prereqs]\nSERVICE_PACK=1\nCPU=1000\nSWAP_SPACE=10\nMIN_DISPLAY_COLORS=256\n"
      "[Windows-6.1-required]\nCPU=%CPU%\nCPU_FAILURE_MESSAGE=too slow\n"
      "[Windows-6.1-optional]\nSWAP_SPACE=10\nCPU=%CPU%\n"
      "[Certified Versions]\nCERTIFIED_VERSION_WARN=%WARN%\n";
  struct Case {
    const char* name;
    Pass pass;
    const char* certified;
    const char* cpu;
    const char* warn;
    bool ignore;
    bool swap_failed;
    int result;
    const char* failure_text;
  } cases[] = {
      {"generic, all met", Pass::kGeneric, "6.1", "1", "", false, false, kPassPassed, ""},
      {"generic, swap short", Pass::kGeneric, "6.1", "1", "", false, true, kPassFailed, ""},
      {"no certified list", Pass::kRequired, "", "1", "", false, false, kPassNoCertifiedList, ""},
      {"certified, met", Pass::kRequired, "5.1,6.1", "2000", "", false, false, kPassPassed, ""},
      {"certified, too slow", Pass::kRequired, "6.1", "2001", "", false, false, kPassFailed,
       "\n\ntoo slow"},
      {"not certified", Pass::kRequired, "6.0, 6.1", "1", "", false, false, kPassEndsLaunch, ""},
      {"not certified, ignored", Pass::kRequired, "5.1", "1", "", true, false, kPassFailed, ""},
      {"not certified, warned silently", Pass::kRequired, "5.1", "1", "TRUE", false, false,
       kPassEndsLaunch, ""},
      // The optional section's names come from the required pass; swap is generic only.
      {"optional, swap short", Pass::kOptional, "6.1", "1", "", false, true, kPassPassed, ""},
      // Its failure message from the required section, as every platform check's.
      {"optional, too slow", Pass::kOptional, "6.1", "2001", "", false, false, kPassFailed,
       "\n\ntoo slow"},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    g_run_flags.silent = true;
    std::string text = kFile;
    for (std::size_t at; (at = text.find("%CPU%")) != std::string::npos;)
      text.replace(at, 5, c.cpu);
    text.replace(text.find("%WARN%"), 6, c.warn);
    std::string file = system.directory() + "/velparam.ini";
    std::ofstream(file, std::ios::binary) << text;
    g_certified = c.certified;
    g_swap_failed = c.swap_failed;
    PrereqPassState state;
    state.param_file = file;
    state.ignore = c.ignore;
    InstallerLogSession log;
    int result = 0;
    if (c.pass == Pass::kGeneric) {
      result = CheckPrereqPass(&state, true, true, kMachine);
    } else {
      result = CheckPrereqPass(&state, true, false, kMachine);
      if (c.pass == Pass::kOptional) {
        state.failure_text.clear();
        result = CheckPrereqPass(&state, false, false, kMachine);
      }
    }
    EXPECT_EQ(result, c.result) << c.name;
    EXPECT_EQ(state.failure_text, c.failure_text) << c.name;
  }
}

}  // namespace
