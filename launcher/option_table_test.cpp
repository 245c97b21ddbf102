#include "launcher/option_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/java_command.h"
#include "launcher/launch_rules.h"
#include "launcher/options.h"
#include "params/parameter_settings.h"

namespace {

// What one option given alone does to a staged launch.
struct Effect {
  const char* argument;
  const char* program;
  bool waits;
  const char* main_class;
  const char* log_prefix;
  bool silent;
};

constexpr char kJavaw[] = "javaw.exe";
constexpr char kJava[] = "java.exe";
constexpr char kOwnClass[] = "my.Install";
constexpr char kLog[] = "installActions";

// One row for each row of the option table, in its order.
const Effect kEffects[] = {
    {"-preCloneSetup", kJavaw, false, "velmor.tavrun.cmd.TavPreCloneSetup", kLog, false},
    {"-updateNodeList", kJava, false, "velmor.tavrun.cmd.TavUpdateNodeList", "UpdateNodeList",
     true},
    {"-attachHome", kJava, false, "velmor.tavrun.cmd.TavAttachHome", "AttachHome", true},
    {"-relink", kJava, false, "velmor.tavrun.deps.TavMakeDeps", kLog, true},
    {"-cleanup", kJava, true, "velmor.tavrun.cmd.TavCleanup", "Cleanup", false},
    {"-saveInventory", kJava, true, "velmor.tavrun.cmd.TavSaveInventory", "SaveInventory", false},
    {"-removeHome", kJavaw, false, "velmor.tavrun.cmd.TavRemoveHome", "RemoveHome", false},
    {"-bootstrapOnly", kJava, false, kOwnClass, kLog, true},
    {"-noBootstrap", kJavaw, false, kOwnClass, kLog, false},
    {"BOOTSTRAP_LOC=C:\\b", kJavaw, false, kOwnClass, kLog, false},
    {"-printTime", kJavaw, false, kOwnClass, kLog, false},
    {"-detachHome", kJava, false, "velmor.tavrun.cmd.TavDetachHome", "DetachHome", true},
    {"-updateHomeDeps", kJava, false, "velmor.tavrun.cmd.TavUpdateHomeDeps", "UpdateHomeDeps",
     true},
    {"-addNode", kJavaw, false, kOwnClass, kLog, false},
    {"-prereqChecker", kJavaw, false, "velmor.tavrun.prereq.TavPrereqApp", kLog, false},
    {"-silent", kJava, false, kOwnClass, kLog, true},
    {"-waitForCompletion", kJavaw, true, kOwnClass, kLog, false},
    {"-help", kJava, false, kOwnClass, kLog, true},
    {"-PREREQLOGLOC", kJavaw, false, kOwnClass, kLog, false},
    {"-debug", kJava, false, kOwnClass, kLog, false},
    {"-memory", kJava, false, kOwnClass, kLog, false},
    {"-ignoreSysPrereqs", kJavaw, false, kOwnClass, kLog, false},
    {"-executeSysPrereqs", kJavaw, false, kOwnClass, kLog, false},
    {"-noConsole", kJavaw, false, kOwnClass, kLog, false},
    {"PREREQ_CONFIG_LOCATION=C:\\p", kJavaw, false, kOwnClass, kLog, false},
    {"-oneClick", kJavaw, false, "velmor.tavrun.quick.TavOneClickInstaller", kLog, false},
    {"FROM_LOCATION=C:\\f\\x.ini", kJavaw, false, kOwnClass, kLog, false},
};

TEST(OptionTable, EachOptionAloneHasItsRowsEffects) {
  ASSERT_EQ(sizeof kEffects / sizeof kEffects[0], kOptionCount);
  ParameterSettings params;
  params.bootstrap = "TRUE";
  params.install_class = kOwnClass;
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    const Effect& e = kEffects[i];
    g_run_flags = RunFlags();
    LaunchSettings launch;
    std::vector<std::string> elements = {"C:\\media\\setup.exe", e.argument};
    ParseOptions(&elements, &launch);
    EXPECT_TRUE(IsOptionSet(kOptionTable[i], launch) ||
                kOptionTable[i].action != OptionAction::kFlag)
        << e.argument;
    EXPECT_STREQ(JavaProgramName(launch), e.program) << e.argument;
    EXPECT_EQ(ShouldWaitForInstaller(launch, params), e.waits) << e.argument;
    EXPECT_EQ(ChooseMainClass(launch, params).main_class, e.main_class) << e.argument;
    EXPECT_STREQ(LogPrefixOf(launch), e.log_prefix) << e.argument;
    EXPECT_EQ(g_run_flags.silent, e.silent) << e.argument;
  }
  g_run_flags = RunFlags();
}

}  // namespace
