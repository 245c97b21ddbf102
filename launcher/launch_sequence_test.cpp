#include "launcher/launch_sequence.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "launcher/launch_settings.h"
#include "launcher/launch_system.h"
#include "messages/installer_log.h"
#include "messages/run_flags.h"
#include "params/parameter_settings.h"
#include "platform/full_path.h"
#include "platform/sealed_medium.h"
#include "prereq/prereq_checks.h"
#include "prereq/prereq_run.h"
#include "staging/component_staging.h"
#include "staging/staging_disk.h"
#include "tests/support/fake_system.h"

namespace {

// The disk staging works on: records the staging step, copies and expands nothing, and
// answers as told.
class RecordingStagingDisk : public StagingDiskInterface {
 public:
  explicit RecordingStagingDisk(std::function<void(const std::string&)> step) : step_(step) {}
  std::uint64_t FreeKilobytes(const std::string&) override {
    step_("stage");
    return free_kilobytes;
  }
  int CopyTree(const std::string&, const std::string&, std::string*) override { return 0; }
  int ExpandJars(const std::string& source, const std::string&, const std::string&, bool) override {
    return !fails_expanding.empty() && source.find(fails_expanding) != std::string::npos ? -1 : 0;
  }
  bool FindFirstEntryName(const std::string&, std::string* name) override {
    *name = "runtime";
    return true;
  }
  void MakeDirectory(const std::string&) override {}
  int CountFiles(const std::string&) override { return 0; }

  std::uint64_t free_kilobytes = 1 << 30;
  // Expanding a source that holds this text fails.
  std::string fails_expanding;

 private:
  std::function<void(const std::string&)> step_;
};

// A system that records each step the launch takes, in order, and answers as told. Its
// medium is C:\media, whose velparam.ini holds `keys`. A test puts its TEMP and scratch
// directory in a directory of its own: natively "C:\temp" is a relative name, and a log
// under it would be made in the working directory.
class RecordingLaunchSystem : public LaunchSystemInterface {
 public:
  RecordingLaunchSystem() : disk([this](const std::string& step) { Step(step); }) {
    current_ = this;
  }
  ~RecordingLaunchSystem() override { current_ = nullptr; }

  void OpenMediumSeal(const std::string& launcher_dir) override {
    EXPECT_EQ(launcher_dir, "C:\\media");
    if (sealed) g_sealed_medium = &medium;
    Step("seal");
  }
  int LoadMessageCatalogue() override { return Step("catalogue", catalogue_status); }
  void SetUpConsole() override { Step("console"); }
  std::string TempDirectory() override { return temp; }
  bool IsElevated() override { return elevated; }
  std::string SystemDirectory() override { return "C:\\windows\\system32"; }
  int CreateScratchDirectory(const std::string&, std::string* path, bool* outside_temp) override {
    *path = scratch;
    *outside_temp = false;
    return Step("scratch", scratch_status);
  }
  int HoldScratchDirectory(std::string* path) override {
    return Step("hold " + *path, hold_status);
  }
  void RemoveScratchDirectory(const std::string&, const std::string&, const std::string&,
                              std::string* kept_log) override {
    Step("remove");
    *kept_log = "C:\\temp\\kept.log";
  }
  bool IsDirectory(const std::string&) override { return false; }
  bool IsReadWriteDirectory(const std::string&) override { return true; }
  std::vector<std::string> ListFiles(const std::string&) override { return {}; }
  void ChangeDirectory(const std::string& directory) override { Step("cd " + directory); }
  KeyReader ParameterKeyReader(const std::string& path) override {
    EXPECT_EQ(path, "C:\\media\\velparam.ini");
    return [this](const char* key, const std::string& default_value) {
      auto found = keys.find(key);
      return found == keys.end() ? default_value : found->second;
    };
  }
  bool HoldMediumFile(const std::string&) override { return Step("params") == 0 && !IsBroken(); }
  PrereqPassCheck PrereqPass() override {
    return [](PrereqPassState*, bool, bool first_pass) {
      if (first_pass) current_->Step("prereqs");
      return current_->prereq_status != 0 ? kPassEndsLaunch : kPassPassed;
    };
  }
  StagingDiskInterface& StagingDisk() override { return disk; }
  bool CheckRegistryAccess() override { return Step("registry", registry_ok ? 0 : 1) == 0; }
  int RunInstallerProcess(const std::string& program, const std::vector<std::string>& elements,
                          bool wait, bool* still_running) override {
    command = elements;
    *still_running = installer_still_running;
    return Step("start " + program + (wait ? " waiting" : ""), installer_exit_code);
  }

  // The answers.
  int catalogue_status = 0;
  int scratch_status = 0;
  int hold_status = 0;
  bool elevated = false;
  std::string scratch;
  std::string temp;
  std::map<std::string, std::string> keys = {{"JRE_LOCATION", "C:\\jre"}};
  int prereq_status = 0;
  RecordingStagingDisk disk;
  bool registry_ok = true;
  int installer_exit_code = 0;
  bool installer_still_running = false;

  // Sealed, the medium breaks at the step named.
  bool sealed = false;
  std::string break_seal_at;
  SealedMedium medium;

  // The steps taken, one per line, and the installer's command as it was started.
  std::string steps;
  std::vector<std::string> command;

 private:
  int Step(const std::string& step, int result = 0) {
    if (step == break_seal_at) medium.Break("C:\\media\\" + step);
    steps += step + "\n";
    return result;
  }
  bool IsBroken() const { return sealed && medium.broken(); }

  static inline RecordingLaunchSystem* current_ = nullptr;
};

// The medium's velparam.ini and runtime, as a fake system's paths that exist.
const std::set<std::string> kMediumFiles = {"C:\\media\\velparam.ini", "C:\\jre\\bin\\java.exe"};

class LaunchSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Inside the fake's directory, as "<TEMP>\\VelInstall<timestamp>".
    launch_.scratch = system_.directory() + "/\\VelInstallT";
    launch_.temp = system_.directory() + "/\\TEMP";
    system_.existing = kMediumFiles;
    system_.input = "\n\n\n";
  }
  void TearDown() override { g_sealed_medium = nullptr; }
  int Run(const std::string& command_line) {
    std::vector<std::string> arguments = {"C:\\media\\setup.exe", command_line};
    return RunLaunchSequence(&arguments, launch_);
  }
  bool Shown(const std::string& text) const {
    return system_.console.find(text) != std::string::npos;
  }

  FakeSystem system_;
  RecordingLaunchSystem launch_;
};

TEST_F(LaunchSequenceTest, AnInstalledHomeRunsTheInstallerWaitsAndRemovesTheScratchDirectory) {
  launch_.installer_exit_code = 7;
  EXPECT_EQ(Run("-silent"), 7);
  EXPECT_EQ(launch_.steps,
            "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\nregistry\n"
            "start C:\\jre\\bin\\java.exe waiting\nremove\n");
  EXPECT_TRUE(Shown("S_LOG_KEPT"));
}

// Each row installs a system of its own, so these are no fixture tests.
TEST(LaunchSequenceRows, EachFailureEndsTheRunAtItsStepWithItsExitCode) {
  struct Case {
    const char* name;
    void (*arrange)(RecordingLaunchSystem*, FakeSystem*);
    const char* command_line;
    int exit_code;
    const char* steps;
  } cases[] = {
      {"no catalogue", [](RecordingLaunchSystem* l, FakeSystem*) { l->catalogue_status = 1; },
       "-silent", 1, "seal\ncatalogue\n"},
      {"no parameter file",
       [](RecordingLaunchSystem*, FakeSystem* s) { s->existing.erase("C:\\media\\velparam.ini"); },
       "-silent", -2, "seal\ncatalogue\nconsole\nscratch\nprereqs\n"},
      {"no scratch directory",
       [](RecordingLaunchSystem* l, FakeSystem*) { l->scratch_status = -1; }, "-silent", -1,
       "seal\ncatalogue\nconsole\nscratch\nprereqs\n"},
      {"a given scratch directory refused",
       [](RecordingLaunchSystem* l, FakeSystem*) { l->hold_status = -1; },
       "-silent -rscratchPath C:\\given", -1,
       "seal\ncatalogue\nconsole\nhold C:\\given\nprereqs\n"},
      {"prerequisites", [](RecordingLaunchSystem* l, FakeSystem*) { l->prereq_status = -1; },
       "-silent", -1, "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\n"},
      {"registry", [](RecordingLaunchSystem* l, FakeSystem*) { l->registry_ok = false; }, "-silent",
       -1, "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\nregistry\n"},
      {"no java program",
       [](RecordingLaunchSystem*, FakeSystem* s) { s->existing.erase("C:\\jre\\bin\\java.exe"); },
       "-silent", -1,
       "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\nregistry\nremove\n"},
      {"checker without configuration", nullptr, "-silent -prereqChecker", -1,
       "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\n"},
      {"staging",
       [](RecordingLaunchSystem* l, FakeSystem*) {
         l->keys["BOOTSTRAP"] = "T";
         l->disk.free_kilobytes = 0;
       },
       "-silent", -1, "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\nstage\n"},
      {"no runtime and no console",
       [](RecordingLaunchSystem* l, FakeSystem*) {
         l->keys["BOOTSTRAP"] = "T";
         l->keys.erase("JRE_LOCATION");
       },
       "-silent -noConsole", -1, "seal\ncatalogue\nscratch\nparams\ncd C:\\media\nprereqs\n"},
      {"runtime prompt disabled",
       [](RecordingLaunchSystem* l, FakeSystem*) {
         l->keys["BOOTSTRAP"] = "T";
         l->keys.erase("JRE_LOCATION");
         l->keys["DISABLE_JRE_PROMPT"] = "TRUE";
       },
       "-silent", 0, "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\n"},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    RecordingLaunchSystem launch;
    launch.scratch = system.directory() + "/\\VelInstallT";
    launch.temp = system.directory() + "/\\TEMP";
    system.existing = kMediumFiles;
    system.input = "\n\n\n";
    if (c.arrange != nullptr) c.arrange(&launch, &system);
    std::vector<std::string> arguments = {"C:\\media\\setup.exe", c.command_line};
    EXPECT_EQ(RunLaunchSequence(&arguments, launch), c.exit_code) << c.name;
    EXPECT_EQ(launch.steps, c.steps) << c.name;
  }
}

TEST(LaunchSequenceRows, ASealedMediumStopsWhereItsSealBreaksOrWhereItWouldRunInPlace) {
  constexpr const char* kUpToPrereqs =
      "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\n";
  struct Case {
    const char* name;
    const char* break_at;
    const char* bootstrap;
    const char* distribution;  // a distribution medium, whose core cannot be expanded
    const char* command_line;
    int exit_code;
    std::string steps;
    const char* shown;
  } cases[] = {
      {"list or catalogue", "seal", "T", "F", "-silent", -3, "seal\ncatalogue\nconsole\n",
       "ERROR: This medium is sealed, and C:\\media\\seal is missing"},
      {"parameter file", "params", "T", "F", "-silent", -3,
       "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\n", "and C:\\media\\params is"},
      {"staging", "stage", "T", "F", "-silent", -3, std::string(kUpToPrereqs) + "stage\n",
       "and C:\\media\\stage is"},
      {"staging off", "", "F", "F", "-silent", -3, kUpToPrereqs, "S_ERR_SEAL_IN_PLACE"},
      {"staging skipped", "", "T", "F", "-silent -NOBOOTSTRAP", -3,
       std::string(kUpToPrereqs) + "stage\n", "S_ERR_SEAL_IN_PLACE"},
      {"a component left on the medium", "", "T", "T", "-silent", -3,
       std::string(kUpToPrereqs) + "stage\n", "S_ERR_SEAL_IN_PLACE"},
      {"everything staged", "", "T", "F", "-silent", 0,
       std::string(kUpToPrereqs) + "stage\nregistry\n", ""},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    RecordingLaunchSystem launch;
    launch.sealed = true;
    launch.break_seal_at = c.break_at;
    launch.catalogue_status = launch.break_seal_at == "seal" ? 1 : 0;
    launch.scratch = system.directory() + "/\\VelInstallT";
    launch.temp = system.directory() + "/\\TEMP";
    std::string java;
    ASSERT_TRUE(GetFullPath(launch.scratch + "\\jre\\bin\\java.exe", &java));
    launch.keys["BOOTSTRAP"] = c.bootstrap;
    launch.keys["DISTRIBUTION"] = c.distribution;
    launch.keys["JRE_LOCATION"] = "C:\\media\\jre";
    launch.disk.fails_expanding = "velmor.swd.tav.core";
    system.existing = {"C:\\media\\velparam.ini", java};
    std::vector<std::string> arguments = {"C:\\media\\setup.exe", c.command_line};
    EXPECT_EQ(RunLaunchSequence(&arguments, launch), c.exit_code) << c.name;
    EXPECT_EQ(launch.steps.substr(0, c.steps.size()), c.steps) << c.name;
    if (c.exit_code != 0) {
      EXPECT_EQ(launch.steps.size(), c.steps.size()) << c.name;
    } else {
      EXPECT_NE(launch.steps.find("\nstart " + java), std::string::npos);
    }
    EXPECT_NE(system.console.find(c.shown), std::string::npos) << c.name << system.console;
    g_sealed_medium = nullptr;
  }
}

// A size out of range stages nothing, and the installer still starts in TEMP: a
// relative location, which meant a place from the startup directory, is named absolutely.
TEST(LaunchSequenceRows, BootstrapSizeFrom0To2047StagesAndAStartInTempNamesPlacesAbsolutely) {
  constexpr const char* kUpToPrereqs =
      "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\n";
  const std::string kRelative = "..\\prereq";
  std::string made_absolute;
  ASSERT_TRUE(GetFullPath(kRelative, &made_absolute));
  struct Case {
    const char* name;
    const char* bootstrap;
    const char* size;
    bool staged;
  } cases[] = {
      {"not staging", "F", "52", false},       {"below the range", "T", "-1", false},
      {"the least", "T", "0", true},           {"the most", "T", "2047", true},
      {"above the range", "T", "2048", false},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    RecordingLaunchSystem launch;
    launch.scratch = system.directory() + "/\\VelInstallT";
    launch.temp = system.directory() + "/\\TEMP";
    launch.keys["BOOTSTRAP"] = c.bootstrap;
    launch.keys["BOOTSTRAP_SIZE"] = c.size;
    launch.keys["PREREQ_CONFIG_LOCATION"] = kRelative;
    std::string staged_java, staged_prereq;
    ASSERT_TRUE(GetFullPath(launch.scratch + "\\jre\\bin\\java.exe", &staged_java));
    ASSERT_TRUE(GetFullPath(launch.scratch + "\\prereq", &staged_prereq));
    system.existing = kMediumFiles;
    system.existing.insert(staged_java);
    std::vector<std::string> arguments = {"C:\\media\\setup.exe", "-silent"};
    EXPECT_EQ(RunLaunchSequence(&arguments, launch), 0) << c.name;

    bool bootstrap = std::string(c.bootstrap) == "T";
    std::string steps = kUpToPrereqs;
    if (c.staged) steps += "stage\n";
    steps += "registry\n";
    // Into the TEMP the scratch directory was made in.
    if (bootstrap) steps += "cd " + system.directory() + "/\n";
    steps += "start " + (c.staged ? staged_java : std::string("C:\\jre\\bin\\java.exe"));
    steps += bootstrap ? "\n" : " waiting\nremove\n";
    EXPECT_EQ(launch.steps, steps) << c.name;
    EXPECT_EQ(system.console.find("S_ERBOOTSTRAP_RANGE") != std::string::npos,
              bootstrap && !c.staged)
        << c.name;
    // Without BOOTSTRAP the installer starts in the startup directory, where the
    // location means what it meant.
    const std::string& prereq = c.staged ? staged_prereq : bootstrap ? made_absolute : kRelative;
    std::vector<std::string> named;
    for (const std::string& element : launch.command) {
      if (element.rfind("-Dvelmor.installer.prereqConfigLoc=", 0) == 0) named.push_back(element);
    }
    EXPECT_EQ(named,
              std::vector<std::string>{"-Dvelmor.installer.prereqConfigLoc=\"" + prereq + "\" "})
        << c.name;
  }
}

TEST_F(LaunchSequenceTest, AGivenScratchDirectoryRefusedGetsNoLog) {
  launch_.hold_status = -1;
  EXPECT_EQ(Run("-silent -rscratchPath C:\\given"), -1);
  EXPECT_EQ(g_installer_log.fallback_directory, "");
}

TEST_F(LaunchSequenceTest, AMissingParameterFileIsReportedAfterTheChecksAndWaitsForEnter) {
  system_.existing.erase("C:\\media\\velparam.ini");
  EXPECT_EQ(Run("-silent"), -2);
  EXPECT_TRUE(Shown("S_STARTINSTALLERMSG"));
  EXPECT_EQ(system_.input_read, 1u);
}

TEST_F(LaunchSequenceTest, AStagedRunStartsOffTheMediumWithoutWaitingAndLeavesTheScratchDirectory) {
  launch_.keys["BOOTSTRAP"] = "T";
  std::string java;
  ASSERT_TRUE(GetFullPath(launch_.scratch + "\\jre\\bin\\java.exe", &java));
  system_.existing.insert(java);
  // In TEMP, as the scratch directory was made in it; elevated, in the system directory,
  // which the user cannot write.
  for (bool elevated : {false, true}) {
    launch_.elevated = elevated;
    launch_.steps.clear();
    EXPECT_EQ(Run("-silent"), 0);
    std::string working_directory = elevated ? "C:\\windows\\system32" : system_.directory() + "/";
    EXPECT_EQ(launch_.steps,
              "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\nstage\nregistry\n"
              "cd " +
                  working_directory + "\nstart " + java + "\n")
        << elevated;
  }
}

TEST_F(LaunchSequenceTest, AnInstallerStillRunningKeepsItsScratchDirectory) {
  launch_.installer_still_running = true;
  EXPECT_EQ(Run("-silent"), 0);
  EXPECT_EQ(launch_.steps.find("remove"), std::string::npos);
}

TEST_F(LaunchSequenceTest, StagingOnlyStopsBeforeTheInstallerAndNamesWhereItStaged) {
  launch_.keys["BOOTSTRAP"] = "T";
  // In the fake's directory: staging there writes its log.
  std::string stage = system_.directory() + "/stage";
  EXPECT_EQ(Run("-silent -bootstrapOnly BOOTSTRAP_LOC=" + stage), 0);
  std::string made_absolute;  // as the option is taken
  ASSERT_TRUE(GetFullPath(stage, &made_absolute));
  EXPECT_TRUE(Shown("\nBootStrap To " + made_absolute + " Completed\n")) << system_.console;
  EXPECT_EQ(launch_.steps,
            "seal\ncatalogue\nconsole\nparams\ncd C:\\media\nprereqs\nstage\nregistry\ncd " +
                launch_.temp + "\n");
}

TEST_F(LaunchSequenceTest, TheLogIdentityIsSetOnceFromTheCommandLine) {
  EXPECT_EQ(Run("-silent -rtimestamp T9 -attachHome"), 0);
  EXPECT_EQ(g_installer_log.file_name, "AttachHomeT9.log");
  EXPECT_EQ(g_installer_log.fallback_directory, launch_.scratch);
  EXPECT_EQ(g_installer_log.override_directory, "");

  // The Prerequisite Checker logs into the temporary directory.
  launch_.keys["PREREQ_CONFIG_LOCATION"] = "C:\\config";
  system_.existing.insert("C:\\config");
  EXPECT_EQ(Run("-silent -prereqChecker"), 0);
  EXPECT_EQ(g_installer_log.override_directory, system_.directory() + "/");
}

}  // namespace
