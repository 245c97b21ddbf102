#include "launcher/launch_sequence.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "launcher/launch_settings.h"
#include "launcher/launch_system.h"
#include "messages/installer_log.h"
#include "messages/run_flags.h"
#include "params/parameter_settings.h"
#include "platform/full_path.h"
#include "platform/sealed_medium.h"
#include "prereq/prereq_run.h"
#include "staging/component_staging.h"
#include "tests/support/fake_system.h"

namespace {

// A system that records each step the launch takes, in order, and answers as told.
class RecordingLaunchSystem : public LaunchSystemInterface {
 public:
  void OpenMediumSeal(const std::string& launcher_dir) override {
    EXPECT_EQ(launcher_dir, "C:\\media");
    if (sealed) g_sealed_medium = &medium;
    Step("seal");
  }
  int LoadMessageCatalogue() override { return Step("catalogue", catalogue_status); }
  void SetUpConsole() override { Step("console"); }
  std::string TempDirectory() override { return "C:\\temp"; }
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
  ParameterFileStatus ReadParameterFile(const ParameterOverrides&, const std::string& launcher_dir,
                                        std::string* startup_dir, const std::string&,
                                        ParameterSettings* read) override {
    Step("params");
    if (param_status == ParameterFileStatus::kRead) {
      *read = params;
      *startup_dir = launcher_dir;
    }
    return param_status;
  }
  int RunSystemPrereqs(const PrereqRunRequest&) override { return Step("prereqs", prereq_status); }
  int StageComponents(const StagingRequest&, ParameterSettings* staged) override {
    staged->locations.jre = staged_jre;
    return Step("stage", staging_status);
  }
  bool CheckRegistryAccess() override { return Step("registry", registry_ok ? 0 : 1) == 0; }
  int RunInstallerProcess(const std::string& program, const std::vector<std::string>&, bool wait,
                          bool* still_running) override {
    *still_running = installer_still_running;
    return Step("start " + program + (wait ? " waiting" : ""), installer_exit_code);
  }

  // The answers.
  int catalogue_status = 0;
  int scratch_status = 0;
  int hold_status = 0;
  bool elevated = false;
  std::string scratch;
  ParameterFileStatus param_status = ParameterFileStatus::kRead;
  ParameterSettings params;
  int prereq_status = 0;
  int staging_status = kStagedSome;
  bool registry_ok = true;
  int installer_exit_code = 0;
  bool installer_still_running = false;

  // Sealed, the medium breaks at the step named.
  bool sealed = false;
  std::string break_seal_at;
  SealedMedium medium;
  std::string staged_jre = "C:\\scratch\\jre";

  // The steps taken, one per line.
  std::string steps;

 private:
  int Step(const std::string& step, int result = 0) {
    if (step == break_seal_at) medium.Break("C:\\media\\" + step);
    steps += step + "\n";
    return result;
  }
};

class LaunchSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Inside the fake's directory, as "<TEMP>\\VelInstall<timestamp>".
    launch_.scratch = system_.directory() + "/\\VelInstallT";
    launch_.params.locations.jre = "C:\\jre";
    system_.existing = {"C:\\jre\\bin\\java.exe"};
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
       [](RecordingLaunchSystem* l, FakeSystem*) {
         l->param_status = ParameterFileStatus::kNotFound;
       },
       "-silent", -2, "seal\ncatalogue\nconsole\nscratch\nparams\nprereqs\n"},
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
      {"no java program", [](RecordingLaunchSystem*, FakeSystem* s) { s->existing.clear(); },
       "-silent", -1,
       "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\nregistry\nremove\n"},
      {"checker without configuration", nullptr, "-silent -prereqChecker", -1,
       "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\n"},
      {"staging",
       [](RecordingLaunchSystem* l, FakeSystem*) {
         l->params.bootstrap = "T";
         l->staging_status = kStagingFailed;
       },
       "-silent", -1, "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\nstage\n"},
      {"no runtime and no console",
       [](RecordingLaunchSystem* l, FakeSystem*) {
         l->params.bootstrap = "T";
         l->params.locations.jre.clear();
       },
       "-silent -noConsole", -1, "seal\ncatalogue\nscratch\nparams\ncd C:\\media\nprereqs\n"},
      {"runtime prompt disabled",
       [](RecordingLaunchSystem* l, FakeSystem*) {
         l->params.bootstrap = "T";
         l->params.locations.jre.clear();
         l->params.disable_jre_prompt = "TRUE";
       },
       "-silent", 0, "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\nprereqs\n"},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    RecordingLaunchSystem launch;
    launch.scratch = system.directory() + "/\\VelInstallT";
    launch.params.locations.jre = "C:\\jre";
    system.existing = {"C:\\jre\\bin\\java.exe"};
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
    const char* tav;  // where staging leaves the installer, under the scratch path when empty
    const char* command_line;
    int exit_code;
    std::string steps;
    const char* shown;
  } cases[] = {
      {"list or catalogue", "seal", "T", "", "-silent", -3, "seal\ncatalogue\nconsole\n",
       "ERROR: This medium is sealed, and C:\\media\\seal is missing"},
      {"parameter file", "params", "T", "", "-silent", -3,
       "seal\ncatalogue\nconsole\nscratch\nparams\ncd C:\\media\n", "and C:\\media\\params is"},
      {"staging", "stage", "T", "", "-silent", -3, std::string(kUpToPrereqs) + "stage\n",
       "and C:\\media\\stage is"},
      {"staging off", "", "F", "", "-silent", -3, kUpToPrereqs, "S_ERR_SEAL_IN_PLACE"},
      {"staging skipped", "", "T", "", "-silent -NOBOOTSTRAP", -3,
       std::string(kUpToPrereqs) + "stage\n", "S_ERR_SEAL_IN_PLACE"},
      {"a component left on the medium", "", "T", "C:\\media\\tav", "-silent", -3,
       std::string(kUpToPrereqs) + "stage\n", "S_ERR_SEAL_IN_PLACE"},
      {"everything staged", "", "T", "", "-silent", 0,
       std::string(kUpToPrereqs) + "stage\nregistry\n", ""},
  };
  for (const Case& c : cases) {
    FakeSystem system;
    RecordingLaunchSystem launch;
    launch.sealed = true;
    launch.break_seal_at = c.break_at;
    launch.catalogue_status = launch.break_seal_at == "seal" ? 1 : 0;
    launch.scratch = system.directory() + "/\\VelInstallT";
    launch.staged_jre = launch.scratch + "\\jre";
    std::string java;
    ASSERT_TRUE(GetFullPath(launch.staged_jre + "\\bin\\java.exe", &java));
    launch.params.bootstrap = c.bootstrap;
    launch.params.locations.jre = "C:\\media\\jre";
    launch.params.locations.tav = *c.tav != '\0' ? c.tav : launch.scratch + "\\tav";
    system.existing = {java};
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

TEST_F(LaunchSequenceTest, AGivenScratchDirectoryRefusedGetsNoLog) {
  launch_.hold_status = -1;
  EXPECT_EQ(Run("-silent -rscratchPath C:\\given"), -1);
  EXPECT_EQ(g_installer_log.fallback_directory, "");
}

TEST_F(LaunchSequenceTest, AMissingParameterFileIsReportedAfterTheChecksAndWaitsForEnter) {
  launch_.param_status = ParameterFileStatus::kNotFound;
  EXPECT_EQ(Run("-silent"), -2);
  EXPECT_TRUE(Shown("S_STARTINSTALLERMSG"));
  EXPECT_EQ(system_.input_read, 1u);
}

TEST_F(LaunchSequenceTest, AStagedRunStartsOffTheMediumWithoutWaitingAndLeavesTheScratchDirectory) {
  launch_.params.bootstrap = "T";
  system_.existing.insert("C:\\scratch\\jre\\bin\\java.exe");
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
                  working_directory + "\nstart C:\\scratch\\jre\\bin\\java.exe\n")
        << elevated;
  }
}

TEST_F(LaunchSequenceTest, AnInstallerStillRunningKeepsItsScratchDirectory) {
  launch_.installer_still_running = true;
  EXPECT_EQ(Run("-silent"), 0);
  EXPECT_EQ(launch_.steps.find("remove"), std::string::npos);
}

TEST_F(LaunchSequenceTest, StagingOnlyStopsBeforeTheInstallerAndNamesWhereItStaged) {
  launch_.params.bootstrap = "T";
  EXPECT_EQ(Run("-silent -bootstrapOnly BOOTSTRAP_LOC=C:\\stage"), 0);
  EXPECT_TRUE(Shown("\nBootStrap To C:\\stage Completed\n"));
  EXPECT_EQ(
      launch_.steps,
      "seal\ncatalogue\nconsole\nparams\ncd C:\\media\nprereqs\nstage\nregistry\ncd C:\\temp\n");
}

TEST_F(LaunchSequenceTest, TheLogIdentityIsSetOnceFromTheCommandLine) {
  EXPECT_EQ(Run("-silent -rtimestamp T9 -attachHome"), 0);
  EXPECT_EQ(g_installer_log.timestamp, "T9");
  EXPECT_EQ(g_installer_log.prefix, "\\AttachHome");
  EXPECT_EQ(g_installer_log.fallback_directory, launch_.scratch);
  EXPECT_EQ(g_installer_log.override_directory, "");

  // The Prerequisite Checker logs into the temporary directory.
  launch_.params.locations.prereq_config = "C:\\config";
  system_.existing.insert("C:\\config");
  EXPECT_EQ(Run("-silent -prereqChecker"), 0);
  EXPECT_EQ(g_installer_log.override_directory, system_.directory() + "/");
}

}  // namespace
