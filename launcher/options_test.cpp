#include "launcher/options.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "launcher/launch_settings.h"
#include "launcher/option_table.h"
#include "messages/run_flags.h"
#include "platform/full_path.h"

namespace {

struct Parsed {
  LaunchSettings settings;
  RunFlags flags;
  std::vector<std::string> elements;
};

Parsed Parse(const std::string& command_line, const std::string& module = "C:\\media\\setup.exe") {
  Parsed p;
  p.settings.timestamp = "2010-11-05_09-41-07AM";
  p.elements = {module, command_line};
  g_run_flags = RunFlags();
  ParseOptions(&p.elements, &p.settings);
  p.flags = g_run_flags;
  g_run_flags = RunFlags();
  return p;
}

std::string CurrentDirectory() {
  char cwd[1024];
  return getcwd(cwd, sizeof cwd) ? cwd : "";
}

TEST(JoinArguments, FollowsEveryElementWithABlank) {
  EXPECT_EQ(JoinArguments({"a", "b c"}), "a b c ");
  EXPECT_EQ(JoinArguments({}), "");
}

TEST(GetOptionValue, RunsToTheNextBlankHyphenAndTrims) {
  std::string value;
  EXPECT_TRUE(GetOptionValue("-paramFile", "-paramFile  C:\\p\\v.ini  -silent ", &value));
  EXPECT_EQ(value, "C:\\p\\v.ini");
  EXPECT_TRUE(GetOptionValue("-jreLoc", "-jreLoc C:\\Program Files\\jre ", &value));
  EXPECT_EQ(value, "C:\\Program Files\\jre");
  // The search for the end starts one character after the name.
  EXPECT_TRUE(GetOptionValue("-paramFile", "-paramFile -silent ", &value));
  EXPECT_EQ(value, "-silent");
  EXPECT_TRUE(GetOptionValue("-paramFile", "x -paramFile", &value));
  EXPECT_EQ(value, "");
  EXPECT_TRUE(GetOptionValue("-paramFile", "-paramFile=a-b -c", &value));
  EXPECT_EQ(value, "=a-b");
}

TEST(GetOptionValue, KeepsTheValueWhenTheNameIsAbsentOrTheTextEmpty) {
  std::string value = "  kept ";
  EXPECT_FALSE(GetOptionValue("-paramFile", "", &value));
  EXPECT_EQ(value, "  kept ");
  EXPECT_FALSE(GetOptionValue("-paramFile", "-paramfile x ", &value));
  EXPECT_EQ(value, "kept");
}

TEST(GetOptionValue, CutsValuesAt1023Characters) {
  std::string value;
  GetOptionValue("-paramFile", "-paramFile " + std::string(3000, 'p'), &value);
  EXPECT_EQ(value, std::string(1023, 'p'));
}

TEST(ParseOptions, MatchesUpperCaseNamesAsSubstrings) {
  EXPECT_TRUE(Parse("-silent").flags.silent);
  EXPECT_TRUE(Parse("-SiLeNt").flags.silent);
  EXPECT_TRUE(Parse("-silentInstall").flags.silent);
  EXPECT_TRUE(Parse("-responseFile C:\\a-DEBUG.rsp").flags.debug);
  EXPECT_FALSE(Parse("-silent").flags.debug);
}

TEST(ParseOptions, ValueOptionsAreCaseSensitive) {
  Parsed p = Parse("-paramfile x");
  EXPECT_EQ(p.settings.param_file, "");
  p = Parse("-paramFile C:\\p\\velparam.ini -silent");
  EXPECT_EQ(p.settings.param_file, "C:\\p\\velparam.ini");
  EXPECT_TRUE(p.flags.silent);
}

TEST(ParseOptions, ValueOptionsSetTheirGivenFlags) {
  Parsed p = Parse("-rscratchPath C:\\s -rstartupLoc D:\\m -jreLoc C:\\jre -rtimestamp T1");
  EXPECT_EQ(p.settings.scratch_path, "C:\\s");
  EXPECT_TRUE(p.settings.scratch_path_given);
  EXPECT_EQ(p.settings.startup_location, "D:\\m");
  EXPECT_TRUE(p.settings.startup_location_given);
  EXPECT_EQ(p.settings.jre_location, "C:\\jre");
  EXPECT_TRUE(p.settings.jre_location_given);
  EXPECT_EQ(p.settings.timestamp, "T1");

  p = Parse("-silent");
  EXPECT_FALSE(p.settings.scratch_path_given);
  EXPECT_FALSE(p.settings.startup_location_given);
  EXPECT_FALSE(p.settings.jre_location_given);
  EXPECT_EQ(p.settings.timestamp, "2010-11-05_09-41-07AM");
}

TEST(ParseOptions, JavaOptionsAreCutOffTheArgument) {
  Parsed p = Parse("-silent -J-mx512m");
  EXPECT_TRUE(p.settings.has_java_options);
  EXPECT_EQ(p.settings.java_options, "-mx512m");
  EXPECT_TRUE(p.settings.memory_given_by_java_option);
  EXPECT_EQ(p.elements[1], "-silent ");

  p = Parse("-J-Xmx512m");
  EXPECT_EQ(p.settings.java_options, "-Xmx512m");
  EXPECT_FALSE(p.settings.memory_given_by_java_option);
  EXPECT_EQ(p.elements[1], "");

  // Options after -J belong to Java but are still recognised.
  p = Parse("-silent -J-Xms64m -debug");
  EXPECT_EQ(p.settings.java_options, "-Xms64m -debug");
  EXPECT_TRUE(p.flags.debug);
  EXPECT_TRUE(p.flags.silent);

  p = Parse("-silent");
  EXPECT_FALSE(p.settings.has_java_options);
}

TEST(ParseOptions, ModuleElementIsNotScanned) {
  Parsed p = Parse("-silent", "C:\\tools-debug\\x-Jy\\BOOTSTRAP_LOC=q\\setup.exe");
  EXPECT_FALSE(p.flags.debug);
  EXPECT_FALSE(p.settings.has_java_options);
  EXPECT_EQ(p.settings.bootstrap_location, "");
  EXPECT_EQ(p.elements[0], "C:\\tools-debug\\x-Jy\\BOOTSTRAP_LOC=q\\setup.exe");
  p = Parse("", "C:\\x -paramFile y\\setup.exe");
  EXPECT_EQ(p.settings.param_file, "");
}

TEST(ParseOptions, LogPrefixFollowsTableOrderNotCommandLineOrder) {
  EXPECT_STREQ(LogPrefixOf(Parse("").settings), "installActions");
  Parsed p = Parse("-attachHome");
  EXPECT_TRUE(p.settings.attach_home);
  EXPECT_TRUE(p.flags.silent);
  EXPECT_STREQ(LogPrefixOf(p.settings), "AttachHome");
  EXPECT_STREQ(LogPrefixOf(Parse("-removeHome -cleanup").settings), "RemoveHome");
  EXPECT_STREQ(LogPrefixOf(Parse("-cleanup -removeHome").settings), "RemoveHome");
  EXPECT_STREQ(LogPrefixOf(Parse("-updateHomeDeps -detachHome").settings), "UpdateHomeDeps");
}

TEST(ParseOptions, SilentComesWithSomeModesOnly) {
  for (const char* mode : {"-updateNodeList", "-attachHome", "-relink", "-bootstrapOnly",
                           "-detachHome", "-updateHomeDeps", "-help"}) {
    EXPECT_TRUE(Parse(mode).flags.silent) << mode;
  }
  for (const char* mode : {"-preCloneSetup", "-cleanup", "-saveInventory", "-removeHome",
                           "-noBootstrap", "-addNode", "-prereqChecker", "-waitForCompletion",
                           "-noConsole", "-oneClick", "-printTime", "-memory"}) {
    EXPECT_FALSE(Parse(mode).flags.silent) << mode;
  }
}

TEST(ParseOptions, EveryFlagRowSetsItsFlag) {
  Parsed parsed = Parse(
      "-preCloneSetup -updateNodeList -attachHome -relink -cleanup -saveInventory "
      "-removeHome -bootstrapOnly -noBootstrap -printTime -detachHome -updateHomeDeps "
      "-addNode -prereqChecker -waitForCompletion -help -debug -memory "
      "-ignoreSysPrereqs -executeSysPrereqs -noConsole -oneClick");
  const LaunchSettings& s = parsed.settings;
  const RunFlags& f = parsed.flags;
  for (bool flag :
       {s.preclone_setup, s.update_node_list, s.attach_home,         s.relink,
        s.cleanup,        s.save_inventory,   s.remove_home,         f.bootstrap_only,
        s.no_bootstrap,   s.print_time,       s.detach_home,         s.update_home_deps,
        s.add_node,       s.prereq_checker,   s.wait_for_completion, s.help,
        f.debug,          s.memory,           s.ignore_sys_prereqs,  s.execute_sys_prereqs,
        f.no_console,     s.one_click}) {
    EXPECT_TRUE(flag);
  }
  Parsed none = Parse("");
  EXPECT_FALSE(none.flags.silent || none.flags.debug || none.settings.help ||
               none.flags.no_console || none.settings.one_click);
}

TEST(ParseOptions, PrereqLogLocationNeedsTheOptionAlone) {
  EXPECT_EQ(Parse("-PREREQLOGLOC C:\\logs -silent").settings.prereq_log_location, "");
  // Alone, but there is no following element in a two-element vector.
  EXPECT_EQ(Parse("-prereqLogLoc").settings.prereq_log_location, "");
}

TEST(ParseOptions, BootstrapLocationTakesTheTextAfterTheFirstEquals) {
  EXPECT_EQ(Parse("-bootstrapOnly BOOTSTRAP_LOC=C:\\boot").settings.bootstrap_location, "C:\\boot");
  EXPECT_EQ(Parse("-bootstrapOnly BOOTSTRAP_LOC=\"C:\\my boot\"  ").settings.bootstrap_location,
            "C:\\my boot");
  EXPECT_EQ(Parse("BOOTSTRAP_LOC=C:\\boot -silent ").settings.bootstrap_location,
            "C:\\boot -silent");
  Parsed p = Parse("PREREQ_CONFIG_LOCATION=D:\\cfg BOOTSTRAP_LOC=C:\\boot");
  EXPECT_EQ(p.settings.bootstrap_location, "D:\\cfg BOOTSTRAP_LOC");
  EXPECT_EQ(p.settings.prereq_config_location, "D:\\cfg BOOTSTRAP_LOC");
}

TEST(ParseOptions, RelativeScratchAndBootstrapLocationsBecomeAbsoluteOnce) {
  std::string here;
  ASSERT_TRUE(GetFullPath("x", &here));
  here.resize(here.size() - 1);  // the current directory with its trailing backslash
  Parsed p = Parse("-rscratchPath work\\s -bootstrapOnly BOOTSTRAP_LOC=boot");
  EXPECT_EQ(p.settings.scratch_path, here + "work\\s");
  EXPECT_EQ(p.settings.bootstrap_location, here + "boot");
  // Absolute and missing ones stay as they are.
  p = Parse("-rscratchPath C:\\s");
  EXPECT_EQ(p.settings.scratch_path, "C:\\s");
  EXPECT_EQ(p.settings.bootstrap_location, "");
}

TEST(ParseOptions, FromLocationNamesAFileBesideThePrereqDirectory) {
  Parsed p = Parse("FROM_LOCATION=D:\\stage\\products.xml");
  EXPECT_EQ(p.settings.prereq_config_location, "D:\\stage\\prereq");
  EXPECT_TRUE(p.settings.prereq_config_from_source);

  // A bare file name lies in the current directory.
  p = Parse("FROM_LOCATION=products.xml");
  std::string expected;
  ASSERT_TRUE(GetFullPath(".\\prereq", &expected));
  EXPECT_EQ(p.settings.prereq_config_location, expected);

  p = Parse("FROM_LOCATION=\"D:\\my stage\\products.xml\"");
  EXPECT_EQ(p.settings.prereq_config_location, "D:\\my stage\\prereq");
}

TEST(ParseOptions, PrereqConfigLocationWinsOverFromLocation) {
  Parsed p = Parse("PREREQ_CONFIG_LOCATION=\"D:\\cfg\"");
  EXPECT_EQ(p.settings.prereq_config_location, "D:\\cfg");
  EXPECT_FALSE(p.settings.prereq_config_from_source);
  // Both in one element: the config location is read first, so FROM_LOCATION is skipped.
  p = Parse("PREREQ_CONFIG_LOCATION=D:\\cfg FROM_LOCATION");
  EXPECT_EQ(p.settings.prereq_config_location, "D:\\cfg FROM_LOCATION");
  EXPECT_FALSE(p.settings.prereq_config_from_source);
}

TEST(ParseOptions, RelativeAssignedValuesAreMadeAbsolute) {
  Parsed p = Parse("PREREQ_CONFIG_LOCATION=cfg");
  EXPECT_EQ(p.settings.prereq_config_location, CurrentDirectory() + "\\cfg");
}

TEST(ParseOptions, EmptyCommandLineSetsNothing) {
  Parsed p = Parse("");
  EXPECT_EQ(p.elements.size(), 2u);
  EXPECT_EQ(p.settings.param_file, "");
  EXPECT_EQ(p.settings.prereq_config_location, "");
  EXPECT_EQ(p.settings.bootstrap_location, "");
  EXPECT_FALSE(p.flags.silent);
  EXPECT_EQ(p.settings.last_element_upper, "");
}

TEST(ParseOptions, KeepsTheUpperCaseCopyOfTheLastElement) {
  EXPECT_EQ(Parse("-removeHome -J-Xmx1g Tav_home=x").settings.last_element_upper,
            "-REMOVEHOME -J-XMX1G TAV_HOME=X");
}

}  // namespace
