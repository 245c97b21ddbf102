#include "prereq/prereq_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/installer_log.h"
#include "messages/run_flags.h"
#include "tests/support/fake_system.h"

namespace {

// What each pass comes to, in the order the passes run, and the passes that ran.
std::vector<int> g_results;
std::string g_passes;

int CheckPass(PrereqPassState* state, bool required, bool first) {
  std::size_t index = g_passes.size();
  g_passes += first ? 'G' : required ? 'R' : 'O';
  int result = index < g_results.size() ? g_results[index] : kPassPassed;
  if (result == kPassFailed && !first) state->failure_text = "FAILURE;";
  return result;
}

struct Case {
  const char* name;
  std::vector<int> results;
  bool platform_checks;
  bool ignore;
  bool execute_only;
  bool silent;
  const char* input;
  int status;
  const char* passes;
  const char* shown;  // the console, which the log repeats
};

TEST(RunSystemPrereqs, PassesAnswersAndOptionsDecideWhetherTheLaunchGoesOn) {
  const Case cases[] = {
      {"generic only", {}, false, false, false, false, "", 0, "G", "\n"},
      {"all three", {}, true, false, false, false, "", 0, "GRO", "S_PRE_REQREQ_PASSED\n"},
      {"refused system", {kPassEndsLaunch}, true, false, false, false, "", -1, "G", ""},
      {"failure accepted",
       {kPassPassed, kPassFailed},
       true,
       false,
       false,
       false,
       "maybe\ny\n",
       0,
       "GR",
       "FAILURE;S_FAILED_PRE_REQ_1S_FAILED_PRE_REQ_2\n\nS_CONTINUES_CONTINUE"
       "S_CONTINUE_YESS_IGNORE_REQ_SYS_PREREQ"},
      {"failure refused",
       {kPassFailed},
       false,
       false,
       false,
       false,
       "n\n",
       -1,
       "G",
       "S_FAILED_PRE_REQ_1S_FAILED_PRE_REQ_2\n\nS_CONTINUES_CONTINUE_NOS_EXIT_MSG"},
      {"input ended",
       {kPassPassed, kPassPassed, kPassFailed},
       true,
       false,
       false,
       false,
       "",
       -1,
       "GRO",
       "S_PRE_REQREQ_PASSEDFAILURE;S_CONTINUES_CONTINUE_NOS_EXIT_MSG"},
      {"silent failure",
       {kPassFailed},
       false,
       false,
       false,
       true,
       "y\n",
       -1,
       "G",
       "S_FAILED_PRE_REQ_1S_FAILED_PRE_REQ_2\n\nS_EXIT_MSG"},
      {"ignored",
       {kPassFailed, kPassFailed, kPassFailed},
       true,
       true,
       false,
       false,
       "",
       0,
       "GRO",
       "S_IGNORE_REQ_SYS_PREREQS_IGNORE_REQ_SYS_PREREQS_IGNORE_OPT_SYS_PREREQ\n"},
      {"execute only", {}, true, false, true, false, "x", -1, "G", "S_EXIT_MSGS_EXIT_CONTINUE"},
      {"execute only, ignoring",
       {kPassFailed},
       true,
       true,
       true,
       true,
       "",
       -1,
       "G",
       "S_IGNORE_REQ_SYS_PREREQS_EXIT_MSG"},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    // Opened by the launch before the run, as the exit message names the file.
    InstallerLogSession log;
    log.Open();
    g_run_flags.silent = c.silent;
    system.input = c.input;
    g_results = c.results;
    g_passes.clear();
    PrereqRunRequest request;
    request.platform_checks = c.platform_checks;
    request.ignore = c.ignore;
    request.execute_only = c.execute_only;
    EXPECT_EQ(RunSystemPrereqs(request, CheckPass), c.status) << c.name;
    EXPECT_EQ(g_passes, c.passes) << c.name;
    EXPECT_EQ(system.console, c.shown) << c.name;
    // The log holds what was shown, less what only asks at the console.
    std::string logged = system.Log();
    EXPECT_EQ(logged.find("S_EXIT_CONTINUE"), std::string::npos) << c.name;
    EXPECT_EQ(logged.find("S_EXIT_MSG") != std::string::npos,
              std::string(c.shown).find("S_EXIT_MSG") != std::string::npos)
        << c.name;
  }
}

}  // namespace
