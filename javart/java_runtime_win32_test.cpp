#include "javart/java_runtime.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "messages/installer_log.h"
#include "messages/messages.h"
#include "params/parameter_settings.h"
#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

class JavaRuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_console_ = g_console;
    g_console.output = nullptr;
    g_installer_log = InstallerLog();
    // ShowError outside silent mode would open a message box.
    g_console.silent = true;
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel_java_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    jre_ = MakeHome("jre", "rt.jar");
    j9_ = MakeHome("j9", "core.jar");
    jdk_ = MakeHome("jdk", "tools.jar");
    launch_.timestamp = "T1";
    launch_.log_prefix = "\\installActions";
    HKEY key;
    for (const char* subkey : {"SOFTWARE\\VELMOR", "SOFTWARE\\WOW6432NODE\\VELMOR"}) {
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "inventory registered";
      }
    }
    OpenInstallerLog(dir_, "T1", "\\installActions");
  }
  void TearDown() override {
    CloseInstallerLog();
    g_installer_log = InstallerLog();
    g_console = saved_console_;
    RemoveTestTree(dir_);
  }
  std::string MakeHome(const std::string& name, const char* jar) {
    std::string home = dir_ + "\\" + name;
    CreateDirectoryA(home.c_str(), nullptr);
    CreateDirectoryA((home + "\\lib").c_str(), nullptr);
    std::ofstream(home + "\\lib\\" + jar).close();
    return home;
  }
  int Check(const std::string& home, const char* jdk_only, const char* jre_only,
            bool external = false) {
    ParameterSettings params;
    params.use_jdk_only = jdk_only;
    params.use_jre_only = jre_only;
    return CheckRuntimeKind(home, external, launch_, params);
  }
  std::string Log() { return ReadFile(dir_ + "\\installActionsT1.log"); }

  RuntimeOptions launch_;
  ConsoleState saved_console_;
  std::string dir_, jre_, j9_, jdk_;
};

TEST_F(JavaRuntimeTest, JreHasRtJarOrCoreJarInLib) {
  EXPECT_TRUE(LooksLikeJre(jre_));
  EXPECT_TRUE(LooksLikeJre(jre_ + "\\"));
  EXPECT_TRUE(LooksLikeJre(j9_));
  EXPECT_FALSE(LooksLikeJre(jdk_));
  EXPECT_FALSE(LooksLikeJre(dir_ + "\\absent"));
  std::ofstream(dir_ + "\\rt.jar").close();  // beside lib, not in it
  EXPECT_FALSE(LooksLikeJre(dir_));
}

TEST_F(JavaRuntimeTest, KindIsNotCheckedWithoutJreLocOrExternal) {
  EXPECT_EQ(Check(jre_, "TRUE", "FALSE"), 0);
  EXPECT_EQ(Check(jdk_, "FALSE", "TRUE"), 0);
  EXPECT_EQ(Check(jre_, "TRUE", "FALSE", true), -1);
  EXPECT_EQ(Check(jdk_, "FALSE", "TRUE", true), -1);
}

TEST_F(JavaRuntimeTest, JdkOnlyRefusesAJre) {
  launch_.jre_location_given = true;
  EXPECT_EQ(Check(jdk_, "TRUE", "FALSE"), 0);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(Check(jre_, "TRUE", "FALSE"), -1);
  EXPECT_EQ(Log(), "S_INVALID_JDK_HOME");
  EXPECT_EQ(Check(j9_, "TRUE", "FALSE"), -1);
}

TEST_F(JavaRuntimeTest, JreOnlyRefusesAnythingElse) {
  launch_.jre_location_given = true;
  EXPECT_EQ(Check(jre_, "FALSE", "TRUE"), 0);
  EXPECT_EQ(Check(dir_ + "\\absent", "FALSE", "TRUE"), -1);
  EXPECT_EQ(Log(), "S_INVALID_JRE_HOME");
}

TEST_F(JavaRuntimeTest, BothSwitchesRefuseEverythingAndLowerCaseImposesNothing) {
  launch_.jre_location_given = true;
  EXPECT_EQ(Check(jre_, "TRUE", "TRUE"), -1);
  EXPECT_EQ(Check(jdk_, "TRUE", "TRUE"), -1);
  EXPECT_EQ(Log(), "S_INVALID_JDK_HOMES_INVALID_JRE_HOME");
  for (const std::string& home : {jre_, jdk_}) {
    EXPECT_EQ(Check(home, "true", "true"), 0) << home;
    EXPECT_EQ(Check(home, "True", "FALSE"), 0) << home;
  }
}

TEST_F(JavaRuntimeTest, DecisionsThatNeedNoPrompt) {
  CloseInstallerLog();
  // go on, external, exit code; 9 means the exit code was left alone.
  auto decide = [&](const RuntimeOptions& launch, ParameterSettings params) {
    bool external = true;
    int exit_code = 9;
    bool go_on = DecideExternalRuntime(launch, dir_, &params, &external, &exit_code);
    return std::to_string(go_on) + std::to_string(external) + std::to_string(exit_code);
  };
  ParameterSettings none, named = none, scratch = none;
  named.jre_location = jre_;
  scratch.jre_scratch_location = jre_;
  RuntimeOptions jre_loc = launch_, no_console = launch_, bootstrap_only = launch_;
  jre_loc.jre_location_given = true;
  no_console.no_console = true;
  bootstrap_only.bootstrap_only = true;
  EXPECT_EQ(decide(jre_loc, none), "119");
  EXPECT_EQ(decide(no_console, named), "109");  // a named runtime needs no console
  EXPECT_EQ(decide(no_console, scratch), "109");
  EXPECT_EQ(decide(no_console, none), "00-1");
  EXPECT_EQ(decide(bootstrap_only, none), "109");
  EXPECT_EQ(Log(), "");

  ParameterSettings disabled;
  disabled.disable_jre_prompt = "TRUE";
  EXPECT_EQ(decide(launch_, disabled), "000");
  EXPECT_EQ(Log(), "S_JRELOC_ERROR_NOCONSOLE_WIN");
}

}  // namespace
