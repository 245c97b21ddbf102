#include "javart/java_runtime.h"

#include <gtest/gtest.h>

#include <string>

#include "messages/installer_log.h"
#include "messages/run_flags.h"
#include "params/parameter_settings.h"
#include "tests/support/fake_system.h"

namespace {

// Runtime homes: a JRE (lib\rt.jar), a J9 JRE (lib\core.jar) and a JDK (neither).
class JavaRuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_run_flags.silent = true;
    system_.existing = {"E:\\jre\\lib\\rt.jar", "E:\\j9\\lib\\core.jar", "E:\\jdk\\lib\\tools.jar",
                        "E:\\jdk\\bin\\java.exe"};
  }
  // The kind check of `home` with USEJDKONLY and USEJREONLY; `given`: -jreLoc.
  int Check(const char* home, const char* jdk_only, const char* jre_only, bool given,
            bool external = false) {
    ParameterSettings params;
    params.locations.jre = home;
    params.locations.jre_external = external;
    params.use_jdk_only = jdk_only;
    params.use_jre_only = jre_only;
    return CheckRuntimeKind(given, params);
  }
  FakeSystem system_;
  InstallerLogSession log_;
};

TEST_F(JavaRuntimeTest, JreHasRtJarOrCoreJarInLib) {
  EXPECT_TRUE(LooksLikeJre("E:\\jre"));
  EXPECT_TRUE(LooksLikeJre("E:\\jre\\"));
  EXPECT_TRUE(LooksLikeJre("E:\\j9"));
  EXPECT_FALSE(LooksLikeJre("E:\\jdk"));
  system_.existing.insert("E:\\rt.jar");  // beside lib, not in it
  EXPECT_FALSE(LooksLikeJre("E:"));
}

TEST_F(JavaRuntimeTest, KindIsCheckedOnlyForAGivenOrExternalRuntime) {
  EXPECT_EQ(Check("E:\\jre", "TRUE", "FALSE", false), 0);
  EXPECT_EQ(Check("E:\\jre", "TRUE", "FALSE", false, true), -1);
  EXPECT_EQ(Check("E:\\jdk", "FALSE", "TRUE", false, true), -1);
  EXPECT_EQ(system_.Log(), "S_INVALID_JDK_HOMES_INVALID_JRE_HOME");
}

TEST_F(JavaRuntimeTest, EachSwitchRefusesTheOtherKindAndOnlyExactTrueCounts) {
  struct Case {
    const char* home;
    const char* jdk_only;
    const char* jre_only;
    int status;
    const char* logged;
  } cases[] = {
      {"E:\\jdk", "TRUE", "FALSE", 0, ""},
      {"E:\\jre", "TRUE", "FALSE", -1, "S_INVALID_JDK_HOME"},
      {"E:\\j9", "TRUE", "FALSE", -1, "S_INVALID_JDK_HOME"},
      {"E:\\jre", "FALSE", "TRUE", 0, ""},
      {"E:\\absent", "FALSE", "TRUE", -1, "S_INVALID_JRE_HOME"},
      {"E:\\jre", "TRUE", "TRUE", -1, "S_INVALID_JDK_HOME"},
      {"E:\\jdk", "TRUE", "TRUE", -1, "S_INVALID_JRE_HOME"},
      {"E:\\jre", "true", "true", 0, ""},
      {"E:\\jdk", "True", "FALSE", 0, ""},
  };
  for (const Case& c : cases) {
    std::string before = system_.Log();
    EXPECT_EQ(Check(c.home, c.jdk_only, c.jre_only, true), c.status) << c.home << c.jdk_only;
    EXPECT_EQ(system_.Log().substr(before.size()), c.logged) << c.home << c.jdk_only;
  }
}

TEST_F(JavaRuntimeTest, DecisionsThatNeedNoPrompt) {
  // The decision and whether the runtime is used in place.
  auto decide = [](bool given, ParameterSettings params) {
    RuntimeDecision decision = DecideExternalRuntime(given, &params);
    return std::to_string(static_cast<int>(decision)) +
           std::to_string(params.locations.jre_external);
  };
  ParameterSettings none, named = none, scratch = none;
  named.locations.jre = "E:\\jre";
  scratch.jre_scratch_location = "E:\\jre";
  EXPECT_EQ(decide(true, none), "01");
  g_run_flags.no_console = true;
  EXPECT_EQ(decide(false, named), "00");  // a named runtime needs no console
  EXPECT_EQ(decide(false, scratch), "00");
  EXPECT_EQ(decide(false, none), "10");
  g_run_flags.no_console = false;
  g_run_flags.bootstrap_only = true;
  EXPECT_EQ(decide(false, none), "00");
  g_run_flags.bootstrap_only = false;
  EXPECT_EQ(system_.Log(), "");

  ParameterSettings disabled;
  disabled.disable_jre_prompt = "TRUE";
  EXPECT_EQ(decide(false, disabled), "20");
  EXPECT_EQ(system_.Log(), "S_JRELOC_ERROR_NOCONSOLE_WIN");
}

TEST_F(JavaRuntimeTest, PromptAsksUntilAnAnswerHoldsJavaAndEndsWithItsInput) {
  ParameterSettings params;
  system_.input = "\nE:\\jre\r\n" + std::string(1024, 'x') + "\nE:\\jdk\r\n";
  ASSERT_EQ(DecideExternalRuntime(false, &params), RuntimeDecision::kGoOn);
  EXPECT_EQ(params.locations.jre, "E:\\jdk");
  EXPECT_TRUE(params.locations.jre_external);
  // One request, then a retry for each answer refused: empty, no java.exe, too long.
  EXPECT_EQ(system_.console,
            "\nS_SPECIFY_JRE_LOCATION\nS_SPECIFY_VALID_JRE_LOCATION\nS_SPECIFY_VALID_JRE_LOCATION"
            "\nS_SPECIFY_VALID_JRE_LOCATION");

  system_.console.clear();
  system_.input += "nowhere";
  ParameterSettings unnamed;
  EXPECT_EQ(DecideExternalRuntime(false, &unnamed), RuntimeDecision::kNoRuntime);
  EXPECT_EQ(system_.Log(), "S_JRELOC_ERROR_NOCONSOLE_WIN");
  EXPECT_NE(system_.console.find("S_JRELOC_ERROR_NOCONSOLE_WIN"), std::string::npos);
}

}  // namespace
