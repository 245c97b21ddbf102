#include "staging/component_staging.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "messages/installer_log.h"
#include "messages/message_map.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "params/component_table.h"
#include "params/parameter_settings.h"
#include "staging/staging_disk.h"
#include "tests/support/fake_system.h"

namespace {

// A disk that records what staging asks of it and fails where a test says.
class RecordingDisk : public StagingDiskInterface {
 public:
  std::uint64_t FreeKilobytes(const std::string&) override { return free_kilobytes; }
  int CopyTree(const std::string& source, const std::string& destination,
               std::string* failed_path) override {
    done += "copy " + source + " > " + destination + "\n";
    if (failing_copies.count(source) == 0) return 0;
    if (failed_path != nullptr) *failed_path = source + "\\part";
    return -1;
  }
  int ExpandJars(const std::string& source, const std::string& destination, const std::string&,
                 bool) override {
    done += "expand " + source + " > " + destination + "\n";
    return failing_expansions.count(source) == 0 ? 0 : -1;
  }
  bool FindFirstEntryName(const std::string& pattern, std::string* name) override {
    auto found = entries.find(pattern);
    if (found == entries.end()) return false;
    *name = found->second;
    return true;
  }
  void MakeDirectory(const std::string& path) override { done += "mkdir " + path + "\n"; }
  int CountFiles(const std::string& root) override {
    done += "count " + root + "\n";
    return 3;
  }

  std::uint64_t free_kilobytes = 1 << 20;
  std::set<std::string> failing_copies;
  std::set<std::string> failing_expansions;
  std::map<std::string, std::string> entries;
  std::string done;
};

class ComponentStagingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_run_flags.silent = true;
    request_.scratch_path = "S";
    request_.unzip_dir = "L";
    request_.timestamp = "T";
    request_.bootstrap_size_kb = 52 * 1024;
    ComponentLocations& l = params_.locations;
    l.jre = "M\\jre";
    l.tav = "M\\tav";
    l.tav_core = "M\\core";
    l.patchel = "M\\pt";
    l.images = "M\\img";
    l.prereq_config = "M\\prereq";
    params_.access_dir = "M\\acc";
    params_.ext_jlib = "M\\ext";
    system_.existing = {"M\\ext"};
  }
  void TearDown() override { FreeMessageMaps(); }
  int Stage() { return StageComponents(request_, &params_, disk_); }
  // The locations after staging, in a line.
  std::string Locations() const {
    const ComponentLocations& l = params_.locations;
    return l.jre + " " + l.tav + " " + l.tav_core + " " + l.patchel + " " + l.images + " " +
           l.prereq_config;
  }

  // Each progress line shows as "<key> <number>/<total>;", with the id after the key of
  // S_EXPANDING_OTHER.
  static void UseProgressTexts() {
    g_message_maps.local = CreateMessageMap();
    for (const ComponentInfo& component : kComponents) {
      for (const char* key : {component.expanding_line.name, component.copying_line.name})
        MessageMapPut(g_message_maps.local, key, std::string(key) + " %d/%d;");
    }
    MessageMapPut(g_message_maps.local, msg::S_EXPANDING_OTHER.name, "S_EXPANDING_OTHER %s %d/%d;");
  }

  FakeSystem system_;
  InstallerLogSession log_;
  RecordingDisk disk_;
  StagingRequest request_;
  ParameterSettings params_;
};

constexpr char kExtensionsAndCounts[] =
    "mkdir S\\ext\nmkdir S\\ext\\jlib\ncopy M\\ext > S\\ext\\jlib\ncount S\\jre\ncount S\\tav\n";

TEST_F(ComponentStagingTest, InstalledLayoutCopiesEachTreeAndMovesEachLocation) {
  EXPECT_EQ(Stage(), kStagedSome);
  EXPECT_EQ(disk_.done, std::string("copy M\\img > S\\images\ncopy M\\jre > S\\jre\n"
                                    "copy M\\tav > S\\tav\ncopy M\\core > S\\tav\n"
                                    "copy M\\pt > S\\Patchel\ncopy M\\acc > S\n"
                                    "copy M\\prereq > S\\prereq\n") +
                            kExtensionsAndCounts);
  EXPECT_EQ(Locations(), "S\\jre S\\tav S\\tav S\\Patchel S\\images S\\prereq");
  EXPECT_EQ(system_.Log(),
            "S_NUMBER_OF_FILES_BOOTSTRAPPED"
            "S_NUMBER_OF_FILES_BOOTSTRAPPED");
}

TEST_F(ComponentStagingTest, InstalledLayoutShowsACopyLineForEachComponent) {
  UseProgressTexts();
  EXPECT_EQ(Stage(), kStagedSome);
  EXPECT_EQ(system_.console,
            "S_COPYING_JRE 1/4;S_COPYING_TAV 2/4;S_COPYING_TAV_CORE 3/4;S_COPYING_PATCHEL 4/4;");
}

TEST_F(ComponentStagingTest, ARuntimeUsedInPlaceIsNotCopied) {
  params_.locations.jre_external = true;
  EXPECT_EQ(Stage(), kStagedSome);
  EXPECT_EQ(disk_.done.find("M\\jre"), std::string::npos);
  EXPECT_EQ(params_.locations.jre, "M\\jre");
}

TEST_F(ComponentStagingTest, ARuntimeStagedBeforeButMissingIsLoggedInTheLogsLanguage) {
  g_message_maps.local = CreateMessageMap();
  g_message_maps.base = CreateMessageMap();
  MessageMapPut(g_message_maps.local, "S_ERJRE_MISSING", "LOKAL");
  MessageMapPut(g_message_maps.base, "S_ERJRE_MISSING", "BASE");
  params_.jre_scratch_location = "S\\jre\\gone";
  Stage();
  std::string log = system_.Log();
  EXPECT_EQ(log.rfind("BASE", 0), 0u) << log;
  EXPECT_EQ(log.find("LOKAL"), std::string::npos);
}

TEST_F(ComponentStagingTest, AnIncompleteCopyEndsStagingAndNamesWhatIsMissing) {
  disk_.failing_copies = {"M\\tav"};
  EXPECT_EQ(Stage(), kStagingFailed);
  EXPECT_EQ(disk_.done, "copy M\\img > S\\images\ncopy M\\jre > S\\jre\ncopy M\\tav > S\\tav\n");
  EXPECT_EQ(system_.Log(), "S_ERCOPY_INCOMPLETE");
}

TEST_F(ComponentStagingTest, StagesWhenTheFreeSpaceCoversTheSizeElseOnlyTheExtensions) {
  struct Row {
    const char* name;
    std::uint64_t free_kilobytes;
    std::uint64_t bootstrap_size_kb;
    bool stages;
  } rows[] = {
      {"a kilobyte short", 52 * 1024 - 1, 52 * 1024, false},
      {"exactly enough", 52 * 1024, 52 * 1024, true},
      // The free space is 0 when it cannot be had: a size of 0 asks for nothing.
      {"nothing free, nothing asked", 0, 0, true},
      {"nothing free", 0, 1024, false},
  };
  const ParameterSettings before = params_;
  for (const Row& row : rows) {
    params_ = before;
    disk_.done.clear();
    disk_.free_kilobytes = row.free_kilobytes;
    request_.bootstrap_size_kb = row.bootstrap_size_kb;
    if (row.stages) {
      EXPECT_EQ(Stage(), kStagedSome) << row.name;
      EXPECT_EQ(disk_.done.rfind("copy M\\img > S\\images\n", 0), 0u) << row.name;
      EXPECT_EQ(Locations(), "S\\jre S\\tav S\\tav S\\Patchel S\\images S\\prereq") << row.name;
    } else {
      EXPECT_EQ(Stage(), kStagingFailed) << row.name;
      EXPECT_EQ(disk_.done, kExtensionsAndCounts) << row.name;
      EXPECT_EQ(Locations(), "M\\jre M\\tav M\\core M\\pt M\\img M\\prereq") << row.name;
    }
  }
}

TEST_F(ComponentStagingTest, DistributionLayoutExpandsTheListedComponents) {
  params_.distribution = "T";
  params_.jre_version = "1.8";
  params_.bootstrap_comps = {"velmor.swd.tav:11.2", "extra.id:2"};
  disk_.entries["S\\jre\\*"] = "jre18";
  EXPECT_EQ(Stage(), kStagedSome);
  const std::string listed = "..\\stage\\Components\\velmor.swd.tav\\11.2\\1\\DataFiles";
  const std::string extra = "..\\stage\\Components\\extra.id\\2\\1\\DataFiles";
  EXPECT_EQ(disk_.done, "copy M\\img > S\\images\nexpand " + extra + " > S\nexpand " + listed +
                            " > S\ncopy " + listed +
                            "\\Expanded > S\ncopy M\\acc > S\n"
                            "copy M\\prereq > S\\prereq\n" +
                            kExtensionsAndCounts);
  // The runtime, the core and the patch tool were not listed: they stay where they are.
  EXPECT_EQ(Locations(), "M\\jre S\\tav M\\core M\\pt S\\images S\\prereq");
}

TEST_F(ComponentStagingTest, DistributionLayoutNumbersOnlyWhatTheListExpands) {
  UseProgressTexts();
  params_.distribution = "T";
  // Only staging: the listed runtime is expanded in the list step, under its own line.
  g_run_flags.bootstrap_only = true;
  params_.bootstrap_comps = {"extra.id:2", "velmor.swd.jre:1.8", "velmor.swd.tav:11.2"};
  EXPECT_EQ(Stage(), kStagedSome);
  EXPECT_EQ(system_.console,
            "S_EXPANDING_OTHER extra.id 1/3;S_EXPANDING_JRE 2/3;S_EXPANDING_TAV 3/3;");
}

TEST_F(ComponentStagingTest, DistributedRuntimeMustLeaveADirectoryUnderJre) {
  params_.distribution = "T";
  params_.jre_version = "1.8";
  disk_.entries["S\\jre\\*"] = "jre18";
  EXPECT_EQ(Stage(), kStagedSome);
  EXPECT_EQ(params_.locations.jre, "S\\jre\\jre18");
  EXPECT_NE(disk_.done.find("copy M\\jre\\Expanded > S\\jre\\1.8\n"), std::string::npos);

  disk_.entries.clear();
  params_.locations.jre = "M\\jre";
  system_.console.clear();
  EXPECT_EQ(Stage(), kStagingFailed);
  // The runtime's progress line (its key: no catalogue here), then the error.
  EXPECT_EQ(system_.console, "S_EXPANDING_JRES_ERJRE_MISSING");
}

TEST_F(ComponentStagingTest, AFailedCoreExpansionLeavesTheCoreWhereItIs) {
  params_.distribution = "T";
  disk_.entries["S\\jre\\*"] = "jre18";
  disk_.failing_expansions = {"M\\core"};
  EXPECT_EQ(Stage(), kStagedSome);
  EXPECT_EQ(params_.locations.tav_core, "M\\core");
  // The patch tool cannot do without.
  params_.locations.patchel = "M\\pt";
  disk_.failing_expansions = {"M\\pt"};
  EXPECT_EQ(Stage(), kStagingFailed);
}

TEST_F(ComponentStagingTest, NoBootstrapExpandsNothingButMovesTheLocations) {
  params_.distribution = "T";
  request_.no_bootstrap = true;
  disk_.entries["S\\jre\\*"] = "jre18";
  EXPECT_EQ(Stage(), kStagedSome);
  EXPECT_EQ(disk_.done.find("expand"), std::string::npos);
  EXPECT_EQ(disk_.done.find("M\\acc"), std::string::npos);
  EXPECT_EQ(disk_.done.find("ext"), std::string::npos);
  EXPECT_EQ(Locations(), "S\\jre\\jre18 S\\tav S\\tav S\\Patchel S\\images S\\prereq");
  // Nothing is expanded, so no progress line says so.
  EXPECT_EQ(system_.console, "");
}

}  // namespace
