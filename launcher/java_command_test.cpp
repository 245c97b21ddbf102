#include "launcher/java_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/class_path.h"
#include "launcher/launch_settings.h"
#include "launcher/main_class.h"
#include "launcher/options.h"
#include "messages/run_flags.h"
#include "params/parameter_settings.h"

namespace {

using Elements = std::vector<std::string>;

constexpr char kModule[] = "D:\\install\\setup.exe";
constexpr char kTimestamp[] = "2026-12-09_10-00-00AM";

// The class path for scratch "S", core "C", tav "T", patchel "P", with the extension
// jars and the added jars where they go, each followed by ';'.
std::string ExpectedClassPath(const std::string& ext, const std::string& added) {
  return "\"S;" + ext +
         "C\\jlib\\VelInstaller.jar;C\\jlib\\quickinst.jar;C\\jlib\\xmlparse2.jar;"
         "C\\jlib\\common.jar;C\\jlib\\VelInstallerNet.jar;C\\jlib\\mgrCfg.jar;"
         "C\\jlib\\mgrutil.jar;C\\jlib\\VelPrereq.jar;C\\jlib\\sshlib.jar;C\\jlib\\sshcore.jar;"
         "C\\jlib\\remoteapi.jar;C\\jlib\\httpcli.jar;P\\jlib\\patchel.jar;"
         "P\\jlib\\patchelactions.jar;P\\jlib\\patchelprereq.jar;P\\jlib\\patchelutil.jar;"
         "C\\jlib\\VelCheckPoint.jar;T\\jlib\\SetupImages.jar;T\\jlib\\SetupHelp.jar;"
         "T\\jlib\\SetupHelp_de.jar;T\\jlib\\SetupHelp_es.jar;T\\jlib\\SetupHelp_fr.jar;"
         "T\\jlib\\SetupHelp_it.jar;T\\jlib\\SetupHelp_ja.jar;T\\jlib\\SetupHelp_ko.jar;"
         "T\\jlib\\SetupHelp_pt_BR.jar;T\\jlib\\SetupHelp_zh_CN.jar;T\\jlib\\SetupHelp_zh_TW.jar;"
         "T\\jlib\\velmor_hv.jar;T\\jlib\\helpkit.jar;T\\jlib\\helpkit-nls.jar;T\\jlib\\kwt3.jar;"
         "T\\jlib\\kwt3-uiaccess.jar;T\\jlib\\kwt3-nls.jar;T\\jlib\\uiaccess.jar;" +
         added +
         "T\\jlib\\jkwt4.jar;T\\jlib\\jkwt4-nls.jar;T\\jlib\\veli18n-collation.jar;"
         "T\\jlib\\veli18n-mapping.jar;T\\jlib\\vjmisc.jar;T\\jlib\\xmlkit.jar;T\\jlib\\svcm.jar;"
         "T\\jlib\\svcmasm.jar\"";
}

const char kInstalledExtList[] =
    "D:\\install\\..\\..\\inventory\\Scripts\\ext\\jlib\\a.jar;"
    "D:\\install\\..\\..\\inventory\\Scripts\\ext\\jlib\\b.jar;";

// An installed home in D:\install: BOOTSTRAP off, the runtime beside it.
struct Launch {
  LaunchSettings launch;
  RunFlags flags;
  ParameterSettings params;
  JavaCommandInputs inputs;

  explicit Launch(const std::string& command_line) {
    launch.timestamp = kTimestamp;
    launch.execution_location = kModule;
    inputs.arguments = {kModule, command_line};
    g_run_flags = RunFlags();
    ParseOptions(&inputs.arguments, &launch);
    flags = g_run_flags;
    g_run_flags = RunFlags();
    params.locations.tav = "T";
    params.locations.tav_core = "C";
    params.locations.patchel = "P";
    params.locations.jre = "D:\\jre";
    inputs.scratch_path = "S";
    inputs.startup_dir = "D:\\install";
    inputs.launcher_dir = "D:\\install";
    inputs.nls_enabled = "TRUE";
    inputs.ext_jar_files = {"a.jar", "b.jar"};
  }
  // Builds under this launch's flags, as the run would.
  JavaCommand Build() const {
    g_run_flags = flags;
    JavaCommand command = BuildJavaCommand(launch, params, inputs);
    g_run_flags = RunFlags();
    return command;
  }
};

// The elements up to the class path for the installed home, with `program`.
Elements InstalledInvocation(const std::string& program) {
  return {"\"D:\\jre\\bin\\" + program + "\" ",
          "-Dvelmor.installer.library_loc=\"C\\lib\\win64\"",
          "-Dvelmor.installer.tav_loc=\"D:\\install\\C\"",
          "-Dvelmor.installer.bootstrap=FALSE",
          "-Dvelmor.installer.startup_location=\"D:\\install\"",
          "-Dvelmor.installer.jre_loc=\"..\\..\\jre\"",
          "-Dvelmor.installer.exec_location=\"D:\\install\\setup.exe\" ",
          "-Dvelmor.installer.nlsEnabled=\"TRUE\" ",
          "-Dvelmor.installer.prereqConfigLoc=\"\" ",
          "",
          "-cp",
          ExpectedClassPath(kInstalledExtList, "")};
}

Elements Tail(const std::string& user_line) {
  return {"-scratchPath", "\"S\" ", "-sourceType", "network", "-timestamp", kTimestamp, user_line};
}

Elements Concat(std::initializer_list<Elements> parts) {
  Elements all;
  for (const Elements& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

struct ModeCase {
  const char* command_line;
  Elements expected;
};

TEST(BuildJavaCommand, WholeElementListByMode) {
  const std::string kOneClickClass = "velmor.tavrun.quick.TavOneClickInstaller";
  const std::string kInstaller = "velmor.tavrun.cmd.TavInstaller";
  const ModeCase cases[] = {
      {"-silent -responseFile r.rsp",
       Concat(
           {InstalledInvocation("java.exe"), {kInstaller}, Tail("-silent -responseFile r.rsp")})},
      // Not silent: the one-click installer gets the regular installer's whole command.
      {"-oneClick", Concat({InstalledInvocation("javaw.exe"),
                            {kOneClickClass},
                            InstalledInvocation("javaw.exe"),
                            {kInstaller},
                            Tail("-oneClick")})},
      {"-oneClick -silent",
       Concat({InstalledInvocation("java.exe"), {kOneClickClass}, Tail("-oneClick -silent")})},
      // Silent only from here on: the program was already chosen.
      {"-addNode", Concat({InstalledInvocation("javaw.exe"),
                           {kInstaller},
                           {"-scratchPath", "\"S\" ", "-sourceType", "network", "-timestamp",
                            kTimestamp, "-silent", "-addNode"}})},
      {"-prereqChecker", Concat({InstalledInvocation("javaw.exe"),
                                 {"velmor.tavrun.prereq.TavPrereqApp"},
                                 Tail("-prereqChecker")})},
      {"-help", Concat({InstalledInvocation("java.exe"), {kInstaller}, Tail("-help")})},
      {"-help -oneClick",
       Concat({InstalledInvocation("java.exe"), {kInstaller}, Tail("-help -oneClick")})},
      {"-silent -noconsole",
       Concat({InstalledInvocation("javaw.exe"), {kInstaller}, Tail("-silent -noconsole")})},
      {"-cleanup",
       Concat(
           {InstalledInvocation("java.exe"), {"velmor.tavrun.cmd.TavCleanup"}, Tail("-cleanup")})},
  };
  for (const ModeCase& c : cases) {
    Launch l(c.command_line);
    JavaCommand command = l.Build();
    EXPECT_EQ(command.elements, c.expected) << c.command_line;
    EXPECT_EQ(command.sets_silent, std::string(c.command_line) == "-addNode") << c.command_line;
    EXPECT_EQ(command.program_path, c.expected[0].substr(1, c.expected[0].size() - 3));
  }
}

TEST(BuildJavaCommand, StagedDistributionPointsAtTheScratchDirectory) {
  Launch l("-silent");
  l.params.bootstrap = "T";
  l.params.distribution = "T";
  l.params.distribution_mode = true;
  l.params.ext_jlib = "ext";
  l.params.locations.prereq_config = "D:\\stage\\prereq";
  l.params.locations.jre = "S\\jre\\";
  l.params.locations.jre_external = true;
  Elements e = l.Build().elements;
  ASSERT_GE(e.size(), 14u);
  EXPECT_EQ(e[0], "\"S\\jre\\bin\\java.exe\" ");
  EXPECT_EQ(e[2], "-Dvelmor.installer.tav_loc=\"S\\tav\"");
  EXPECT_EQ(e[3], "-Dvelmor.installer.bootstrap=TRUE");
  EXPECT_EQ(e[5], "-Dvelmor.installer.jre_loc=\"S\\jre\"");
  EXPECT_EQ(e[6], "-Dvelmor.installer.extjre=\"true\" ");
  EXPECT_EQ(e[9], "-Dvelmor.installer.prereqConfigLoc=\"D:\\stage\\prereq\" ");
  EXPECT_EQ(e[12], ExpectedClassPath("S\\ext\\jlib\\a.jar;S\\ext\\jlib\\b.jar;", ""));

  // Without EXT_JLIB a staged launch lists no extension jars.
  l.params.ext_jlib.clear();
  EXPECT_EQ(l.Build().elements[12], ExpectedClassPath("", ""));
  l.params.addto_classpath = "a.jar";
  EXPECT_EQ(l.Build().elements[12], ExpectedClassPath("", "S\\a.jar;"));
}

TEST(BuildJavaCommand, AbsoluteCoreLocationIsNotJoinedToTheLauncherDirectory) {
  Launch l("-silent");
  l.params.locations.tav_core = "D:\\install";
  EXPECT_EQ(l.Build().elements[2], "-Dvelmor.installer.tav_loc=\"D:\\install\"");
  l.params.locations.tav_core = "\\\\server\\home";
  EXPECT_EQ(l.Build().elements[2], "-Dvelmor.installer.tav_loc=\"\\\\server\\home\"");
  l.params.locations.tav_core = "..";
  EXPECT_EQ(l.Build().elements[2], "-Dvelmor.installer.tav_loc=\"D:\\install\\..\"");
}

TEST(BuildJavaCommand, OptionalPropertiesAndMemoryOptions) {
  Launch l("-silent");
  l.params.jre_osdparam = "-Dosd=1 -Dx=2";
  l.params.copy_threads = "4";
  l.params.jre_memory_options = " -Xms150m  -Xmx256m ";
  Elements e = l.Build().elements;
  ASSERT_GE(e.size(), 16u);
  EXPECT_EQ(e[1], "-Dosd=1 -Dx=2");
  EXPECT_EQ(e[7], "-Dvelmor.installer.copythreads=4 ");
  EXPECT_EQ(e[11], "");
  EXPECT_EQ(Elements(e.begin() + 12, e.begin() + 15), (Elements{"-Xms150m", "-Xmx256m", "-cp"}));

  // A Java option with -mx replaces the memory options; -MEMORY adds the GC trace.
  Launch j("-silent -memory -J-mx512m");
  j.params.jre_memory_options = "-Xms150m -Xmx256m";
  Elements k = j.Build().elements;
  EXPECT_EQ(Elements(k.begin() + 9, k.begin() + 13),
            (Elements{"", "-mx512m", "-verbose:gc", "-cp"}));
  EXPECT_EQ(k.back(), "-silent -memory ");

  // A Java option without -mx keeps them.
  Launch x("-silent -J-Xss4m");
  x.params.jre_memory_options = "-Xms150m -Xmx256m";
  Elements y = x.Build().elements;
  EXPECT_EQ(Elements(y.begin() + 9, y.begin() + 14),
            (Elements{"", "-Xss4m", "-Xms150m", "-Xmx256m", "-cp"}));
}

TEST(BuildJavaCommand, SourceIsResolvedAgainstTheStartupDirectory) {
  Launch l("-silent");
  l.inputs.source = "..\\stage\\products.xml";
  Elements e = l.Build().elements;
  Elements expected = {"-scratchPath", "\"S\" ",
                       "-sourceLoc",   "\"D:\\install\\..\\stage\\products.xml\" ",
                       "-sourceType",  "network"};
  EXPECT_EQ(Elements(e.end() - 9, e.end() - 3), expected);

  EXPECT_EQ(ResolveSource("HTTP://host/p.xml", "D:\\install"), "HTTP://host/p.xml");
  EXPECT_EQ(ResolveSource("http://h", "D:\\install"), "http://h");
  // Too short to be an address.
  EXPECT_EQ(ResolveSource("http://", "D:\\install"), "D:\\install\\http://");
  EXPECT_EQ(ResolveSource("p.xml", "D:\\"), "D:\\p.xml");
}

TEST(BuildJavaCommand, AddedJarsStandBetweenTheInstallerJars) {
  EXPECT_EQ(AddedJars("S", ""), Elements{});
  EXPECT_EQ(AddedJars("S", "a.jar;;b.jar;"), (Elements{"S\\a.jar", "S\\b.jar"}));
  Launch l("-silent");
  l.params.addto_classpath = "a.jar;b.jar";
  EXPECT_EQ(l.Build().elements[11], ExpectedClassPath(kInstalledExtList, "S\\a.jar;S\\b.jar;"));
  // Nothing found in the extension directory leaves the list empty.
  l.inputs.ext_jar_files.clear();
  EXPECT_EQ(l.Build().elements[11], ExpectedClassPath("", "S\\a.jar;S\\b.jar;"));
}

TEST(BuildClassPath, LeavesOutEmptyAndRootEntries) {
  for (const char* entry : {"", "\\", "/", "\\\\", "C:", "C:\\", "c:/"}) {
    EXPECT_TRUE(IsEmptyOrRootEntry(entry)) << entry;
  }
  for (const char* entry : {"S", "C:x", "C:\\x", "\\x", "\\\\server\\share", ":\\"}) {
    EXPECT_FALSE(IsEmptyOrRootEntry(entry)) << entry;
  }
  // A root scratch directory, an extension jar without a name and what follows a ';' in
  // a name are left out; the jars in the root stay.
  ClassPathInputs in{
      "C:\\", "", {"", "x.jar;"}, "a.jar", {"J\\jlib", "T\\jlib", "C\\jlib", "P\\jlib"}};
  std::string path = BuildClassPath(in);
  const std::string start = "\"\\x.jar;C\\jlib\\VelInstaller.jar;";
  EXPECT_EQ(path.substr(0, start.size()), start);
  EXPECT_NE(path.find(";T\\jlib\\uiaccess.jar;C:\\a.jar;T\\jlib\\jkwt4.jar;"), std::string::npos);
}

// Splits a command line as the C runtime does: 2n backslashes and a quote give n
// backslashes and open or close the quotes, 2n+1 give n and a literal quote.
Elements SplitLikeTheCRuntime(const std::string& line) {
  Elements arguments;
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i == line.size()) return arguments;
    std::string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || line[i] != ' ')) {
      std::size_t slashes = 0;
      for (; i < line.size() && line[i] == '\\'; ++i) ++slashes;
      if (i < line.size() && line[i] == '"') {
        argument.append(slashes / 2, '\\');
        if (slashes % 2 == 1) argument += '"';
        if (slashes % 2 == 0) quoted = !quoted;
        ++i;
      } else {
        argument.append(slashes, '\\');
        if (slashes == 0) argument += line[i++];
      }
    }
    arguments.push_back(argument);
  }
}

TEST(BuildJavaCommand, QuotedPathsNeverEscapeTheirClosingQuote) {
  // Every quoted path given as {given}: {between its quotes, as Java receives it}.
  const char* const cases[][3] = {
      {"C:\\x\\", "C:\\x", "C:\\x"}, {"C:\\", "C:\\\\", "C:\\"}, {"\\", "\\\\", "\\"}};
  for (const auto& [given, quoted, received] : cases) {
    Launch l("-silent");
    l.params.distribution_mode = true;
    l.params.locations.jre = l.params.locations.tav_core = l.params.locations.prereq_config = given;
    l.launch.startup_location_given = true;
    l.launch.startup_location = l.launch.execution_location = l.inputs.scratch_path = given;
    l.inputs.source = "..\\";
    l.inputs.startup_dir = "D:\\install\\";
    Elements e = l.Build().elements;
    const std::string q = "\"" + std::string(quoted) + "\"", r = received;
    EXPECT_EQ(e[2], "-Dvelmor.installer.tav_loc=" + q);
    EXPECT_EQ(
        Elements(e.begin() + 4, e.begin() + 7),
        (Elements{"-Dvelmor.installer.startup_location=" + q, "-Dvelmor.installer.jre_loc=" + q,
                  "-Dvelmor.installer.exec_location=" + q + " "}));
    EXPECT_EQ(e[8], "-Dvelmor.installer.prereqConfigLoc=" + q + " ");
    EXPECT_EQ(Elements(e.end() - 8, e.end() - 5),
              (Elements{q + " ", "-sourceLoc", "\"D:\\install\\..\" "}));

    // Split as the C runtime splits the command, each is one whole argument.
    Elements argv = SplitLikeTheCRuntime(JoinArguments(e));
    ASSERT_EQ(argv.size(), e.size() - 1) << given;  // the empty element gives none
    EXPECT_EQ(argv[2], "-Dvelmor.installer.tav_loc=" + r);
    EXPECT_EQ(
        Elements(argv.begin() + 4, argv.begin() + 9),
        (Elements{"-Dvelmor.installer.startup_location=" + r, "-Dvelmor.installer.jre_loc=" + r,
                  "-Dvelmor.installer.exec_location=" + r, "-Dvelmor.installer.nlsEnabled=TRUE",
                  "-Dvelmor.installer.prereqConfigLoc=" + r}));
    EXPECT_EQ(Elements(argv.end() - 9, argv.end() - 5),
              (Elements{"-scratchPath", r, "-sourceLoc", "D:\\install\\.."}));
  }
}

TEST(BuildJavaCommand, ManyMemoryOptionsWithOneClickGrowTheList) {
  Launch l("-oneClick");
  for (int i = 0; i < 1500; ++i) l.params.jre_memory_options += "-Xopt" + std::to_string(i) + " ";
  Elements e = l.Build().elements;
  // Twice the program, eight properties, the empty element, 1500 words, -cp and the
  // class path; the two classes; the tail.
  EXPECT_EQ(e.size(), 2u * (1 + 8 + 1 + 1500 + 2) + 2 + 7);
  EXPECT_EQ(e.back(), "-oneClick");
}

TEST(JavaProgramPath, AddsBinWithoutDoublingTheSeparator) {
  EXPECT_EQ(JavaProgramPath("D:\\jre", "java.exe"), "D:\\jre\\bin\\java.exe");
  EXPECT_EQ(JavaProgramPath("D:\\jre\\", "javaw.exe"), "D:\\jre\\bin\\javaw.exe");
  EXPECT_EQ(JavaProgramPath("", "java.exe"), "bin\\java.exe");
}

TEST(StartupLocation, GivenValueLosesATrailingThenALeadingQuote) {
  Launch l("-rstartupLoc \"E:\\a b\" -silent");
  EXPECT_EQ(StartupLocation(l.launch, "D:\\install"), "E:\\a b");
  LaunchSettings s;
  EXPECT_EQ(StartupLocation(s, "D:\\install"), "D:\\install");
  s.startup_location_given = true;
  s.startup_location = "\"E:\\x";  // no trailing quote: the leading one stays
  EXPECT_EQ(StartupLocation(s, "D:\\install"), "\"E:\\x");
  s.startup_location = "E:\\x\"";
  EXPECT_EQ(StartupLocation(s, "D:\\install"), "E:\\x");
}

TEST(PassThroughArguments, DropsTheRelaunchOptionsWithTheirValues) {
  EXPECT_EQ(PassThroughArguments({"setup.exe", "-rstartupLoc", "D:\\x", "-a", "-nobootStrap",
                                  "-rtimestamp", "t", "-rscratchPath", "S", "-b", "-rtimestamp"}),
            (Elements{"-a", "-b"}));
  // Exact and case-sensitive: the raw command line is one element and stays whole.
  EXPECT_EQ(PassThroughArguments({"setup.exe", "-rtimestamp t -silent", "-NOBOOTSTRAP"}),
            (Elements{"-rtimestamp t -silent", "-NOBOOTSTRAP"}));
  EXPECT_EQ(PassThroughArguments({"setup.exe"}), Elements{});
}

TEST(ChooseMainClass, TheModeOfLowestRankWins) {
  ParameterSettings params;
  params.install_class = "my.Install";
  struct Case {
    const char* command_line;
    const char* main_class;
    BootstrapForcing forcing;
    bool refuses_distribution;
  } cases[] = {
      {"", "my.Install", BootstrapForcing::kNever, false},
      {"-removeHome -preCloneSetup", "velmor.tavrun.cmd.TavPreCloneSetup", BootstrapForcing::kNever,
       true},
      {"-attachHome -updateNodeList", "velmor.tavrun.cmd.TavUpdateNodeList",
       BootstrapForcing::kAlways, true},
      {"-attachHome", "velmor.tavrun.cmd.TavAttachHome", BootstrapForcing::kUnlessDistribution,
       false},
      {"-relink", "velmor.tavrun.deps.TavMakeDeps", BootstrapForcing::kNever, false},
      {"-detachHome", "velmor.tavrun.cmd.TavDetachHome", BootstrapForcing::kAlways, true},
      {"-updateHomeDeps", "velmor.tavrun.cmd.TavUpdateHomeDeps", BootstrapForcing::kNever, false},
      {"-addNode -cleanup", "my.Install", BootstrapForcing::kAlways, true},
      {"-saveInventory -oneClick", "velmor.tavrun.cmd.TavSaveInventory", BootstrapForcing::kNever,
       false},
  };
  for (const Case& c : cases) {
    Launch l(c.command_line);
    ModeChoice choice = ChooseMainClass(l.launch, params);
    EXPECT_EQ(choice.main_class, c.main_class) << c.command_line;
    EXPECT_EQ(choice.forcing, c.forcing) << c.command_line;
    EXPECT_EQ(choice.refuses_distribution, c.refuses_distribution) << c.command_line;
  }
}

}  // namespace
