#include "params/parameter_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "params/parameter_settings.h"

namespace {

constexpr char kLauncherDir[] = "D:\\media\\disk1";
constexpr char kScratch[] = "C:\\TEMP\\VelInstallT1";

// Behaves as GetPrivateProfileStringA on a Velmor section holding `keys`, and notes
// every key asked for.
struct FakeSection {
  std::map<std::string, std::string> keys;
  std::vector<std::string> asked;

  KeyReader Reader() {
    return [this](const char* key, const std::string& default_value) {
      asked.push_back(key);
      auto found = keys.find(key);
      return found == keys.end() ? default_value : found->second;
    };
  }
  bool WasAsked(const std::string& key) const {
    return std::find(asked.begin(), asked.end(), key) != asked.end();
  }
};

ParameterSettings Read(FakeSection* section,
                       const ParameterOverrides& overrides = ParameterOverrides(),
                       ParameterSettings params = ParameterSettings()) {
  ReadParameterKeys(section->Reader(), overrides, kLauncherDir, kScratch, &params);
  return params;
}

ParameterSettings ReadKeys(std::map<std::string, std::string> keys) {
  FakeSection section{std::move(keys), {}};
  return Read(&section);
}

TEST(ParameterKeys, OneKeyEmptyValueGivesTheDefaultAndFlagsKeepOneCharacter) {
  FakeSection section{{{"EMPTY", ""}, {"LONG", std::string(1500, 'x')}, {"F", "Tuesday"}}, {}};
  KeyReader read = section.Reader();
  EXPECT_EQ(ReadVelmorKey(read, "EMPTY", "def", ValueKind::kText), "def");
  EXPECT_EQ(ReadVelmorKey(read, "MISSING", "def", ValueKind::kText), "def");
  EXPECT_EQ(ReadVelmorKey(read, "EMPTY", "FALSE", ValueKind::kFlag), "F");
  EXPECT_EQ(ReadVelmorKey(read, "F", "F", ValueKind::kFlag), "T");
  EXPECT_EQ(ReadVelmorKey(read, "F", "F", ValueKind::kText), "Tuesday");
  EXPECT_EQ(ReadVelmorKey(read, "LONG", "", ValueKind::kText), std::string(1023, 'x'));
}

TEST(ParameterKeys, EmptySectionGivesEveryDefault) {
  ParameterSettings p = ReadKeys({});
  EXPECT_EQ(p.distribution + p.bootstrap + p.wait_for_completion, "FFF");
  EXPECT_FALSE(p.distribution_mode);
  EXPECT_EQ(p.bootstrap_size, "52");
  EXPECT_EQ(p.copy_threads, "0");
  EXPECT_EQ(p.tav_version, "1.7.0.0.0");
  EXPECT_EQ(p.install_class, "velmor.tavrun.cmd.TavInstaller");
  EXPECT_EQ(p.install_oneclick_class, "velmor.tavrun.quick.TavOneClickInstaller");
  EXPECT_EQ(p.use_jre_only + p.use_jdk_only + p.disable_jre_prompt, "FALSEFALSEFALSE");
  for (const std::string& location : {p.locations.tav, p.locations.tav_core, p.locations.patchel})
    EXPECT_EQ(location, kLauncherDir);
  EXPECT_EQ(p.locations.jre + p.jre_scratch_location + p.access_dir + p.locations.prereq_config +
                p.ext_jlib + p.ext_lib + p.ext_bin + p.bootstrap_comps_text,
            "");
  EXPECT_TRUE(p.bootstrap_comps.empty());

  // An empty value is no value.
  p = ReadKeys({{"BOOTSTRAP_SIZE", ""},
                {"TAV_VERSION", ""},
                {"TAV_LOCATION", ""},
                {"WAIT_FOR_COMPLETION", ""}});
  EXPECT_EQ(p.bootstrap_size + "|" + p.tav_version + "|" + p.wait_for_completion, "52|1.7.0.0.0|F");
  EXPECT_EQ(p.locations.tav, kLauncherDir);
}

TEST(ParameterKeys, FlagsNeedAnUpperCaseTAndSwitchesExactlyTRUE) {
  ParameterSettings p = ReadKeys({{"BOOTSTRAP", "true"}});
  EXPECT_EQ(p.bootstrap, "t");
  EXPECT_FALSE(IsFlagOn(p.bootstrap));
  for (const char* on : {"TRUE", "T", "Tuesday"}) {
    p = ReadKeys({{"BOOTSTRAP", on}, {"WAIT_FOR_COMPLETION", on}});
    EXPECT_EQ(p.bootstrap + p.wait_for_completion, "TT") << on;
  }
  p = ReadKeys({{"USEJREONLY", "true"}, {"USEJDKONLY", "TRUE"}, {"DISABLE_JRE_PROMPT", "TRUEISH"}});
  EXPECT_EQ(p.use_jre_only, "true");  // switches keep their whole text
  EXPECT_FALSE(IsSwitchOn(p.use_jre_only));
  EXPECT_TRUE(IsSwitchOn(p.use_jdk_only));
  EXPECT_FALSE(IsSwitchOn(p.disable_jre_prompt));
}

TEST(ParameterKeys, DistributionStagesLocationsAndForcesBootstrap) {
  ParameterSettings p =
      ReadKeys({{"DISTRIBUTION", "TRUE"}, {"TAV_VERSION", "11.2.0.1.0"}, {"BOOTSTRAP", "F"}});
  EXPECT_TRUE(p.distribution_mode);
  EXPECT_EQ(p.distribution, "T");
  EXPECT_EQ(p.locations.tav, "..\\stage\\Components\\velmor.swd.tav\\11.2.0.1.0\\1\\DataFiles\\");
  EXPECT_EQ(p.locations.tav_core,
            "..\\stage\\Components\\velmor.swd.tav.core\\11.2.0.1.0\\1\\DataFiles\\");
  EXPECT_EQ(p.locations.patchel,
            "..\\stage\\Components\\velmor.swd.patchel\\11.2.0.1.0\\1\\DataFiles\\");
  EXPECT_EQ(p.bootstrap, "TRUE");

  p = ReadKeys({{"DISTRIBUTION", "TRUE"}, {"TAV_LOCATION", "E:\\tav"}});
  EXPECT_EQ(p.locations.tav, "E:\\tav");
  EXPECT_EQ(p.locations.tav_core,
            "..\\stage\\Components\\velmor.swd.tav.core\\1.7.0.0.0\\1\\DataFiles\\");

  // The version is text, never a format.
  p = ReadKeys({{"DISTRIBUTION", "T"}, {"TAV_VERSION", "%s%n%d"}});
  EXPECT_EQ(p.locations.patchel,
            "..\\stage\\Components\\velmor.swd.patchel\\%s%n%d\\1\\DataFiles\\");

  p = ReadKeys({{"DISTRIBUTION", "true"}, {"TAV_VERSION", "11.2.0.1.0"}});
  EXPECT_FALSE(p.distribution_mode);
  EXPECT_EQ(p.locations.tav, kLauncherDir);
  EXPECT_EQ(p.bootstrap, "F");
}

TEST(ParameterKeys, JreLocationKeysAreReadOnlyWithoutJreLoc) {
  FakeSection section{{{"JRE_LOCATION", "E:\\jre"}, {"JRE_SCRATCH_LOC", "stage\\jre"}}, {}};
  ParameterSettings before;
  before.locations.jre = "F:\\cmdjre";
  ParameterOverrides launch;
  launch.jre_location_given = true;
  ParameterSettings p = Read(&section, launch, before);
  EXPECT_EQ(p.locations.jre, "F:\\cmdjre");
  EXPECT_EQ(p.jre_scratch_location, "");
  EXPECT_FALSE(section.WasAsked("JRE_LOCATION") || section.WasAsked("JRE_SCRATCH_LOC"));

  p = Read(&section, ParameterOverrides(), before);
  EXPECT_EQ(p.locations.jre, "E:\\jre");
  EXPECT_EQ(p.jre_scratch_location, std::string(kScratch) + "\\stage\\jre");
  FakeSection empty;  // an absent JRE_LOCATION still replaces the value
  p = Read(&empty, ParameterOverrides(), before);
  EXPECT_EQ(p.locations.jre + p.jre_scratch_location, "");
}

TEST(ParameterKeys, PrereqConfigLocationFromTheCommandLineWins) {
  ParameterOverrides launch;
  launch.prereq_config_location = "C:\\cmd\\prereq";
  FakeSection section{{{"PREREQ_CONFIG_LOCATION", "E:\\file\\prereq"}}, {}};
  EXPECT_EQ(Read(&section, launch).locations.prereq_config, "C:\\cmd\\prereq");
  EXPECT_FALSE(section.WasAsked("PREREQ_CONFIG_LOCATION"));

  // One derived from FROM_LOCATION is only the default.
  launch.prereq_config_from_source = true;
  EXPECT_EQ(Read(&section, launch).locations.prereq_config, "E:\\file\\prereq");
  FakeSection empty;
  EXPECT_EQ(Read(&empty, launch).locations.prereq_config, "C:\\cmd\\prereq");

  EXPECT_EQ(Read(&section).locations.prereq_config, "E:\\file\\prereq");
}

TEST(ParameterKeys, KeysAreReadOnceEachDistributionFirst) {
  FakeSection section;
  Read(&section);
  ASSERT_GE(section.asked.size(), 4u);
  EXPECT_EQ(
      std::vector<std::string>(section.asked.begin(), section.asked.begin() + 4),
      (std::vector<std::string>{"DISTRIBUTION", "JRE_SCRATCH_LOC", "JRE_LOCATION", "ACCESS_DIR"}));
  std::set<std::string> distinct(section.asked.begin(), section.asked.end());
  EXPECT_EQ(distinct.size(), section.asked.size());
  EXPECT_EQ(distinct.size(), kVelmorKeyCount);
  // The staged defaults depend on the version, so it comes before the locations.
  auto at = [&](const char* key) {
    return std::find(section.asked.begin(), section.asked.end(), key) - section.asked.begin();
  };
  EXPECT_LT(at("TAV_VERSION"), at("TAV_LOCATION"));
  EXPECT_LT(at("TAV_LOCATION"), at("TAV_CORE_LOCATION"));
  EXPECT_LT(at("TAV_CORE_LOCATION"), at("PATCHEL_LOCATION"));
}

// Each row fills its own setting, and only that one; a setting nobody read holds the
// row's default.
TEST(ParameterKeys, EachRowFillsItsOwnSettingAndStartsAtItsDefault) {
  ParameterSettings defaults;
  for (std::size_t i = 0; i < kVelmorKeyCount; ++i) {
    const VelmorKeyInfo& row = kVelmorKeys[i];
    EXPECT_EQ(&VelmorKeyRow(row.key), &row) << row.name;
    std::string expected = row.default_value;
    if (row.kind == ValueKind::kFlag) expected.resize(std::min<std::size_t>(expected.size(), 1));
    EXPECT_EQ(row.field(defaults), expected) << row.name;

    ParameterSettings p = ReadKeys({{row.name, "Tvalue"}});
    std::string value = row.kind == ValueKind::kFlag ? "T" : "Tvalue";
    if (row.key == VelmorKey::JRE_SCRATCH_LOC) value = std::string(kScratch) + "\\Tvalue";
    EXPECT_EQ(row.field(p), value) << row.name;
    for (std::size_t j = 0; j < kVelmorKeyCount; ++j) {
      if (j == i) continue;
      const VelmorKeyInfo& other = kVelmorKeys[j];
      EXPECT_NE(other.field(p), value) << row.name << " also filled " << other.name;
    }
  }
}

TEST(ParameterKeys, BootstrapComponentsSkipEmptyEntriesAndKeepsSixteen) {
  EXPECT_EQ(SplitBootstrapComponents("a:1,,b:2"), (std::vector<std::string>{"a:1", "b:2"}));
  EXPECT_EQ(SplitBootstrapComponents(",,,"), std::vector<std::string>{});
  EXPECT_EQ(SplitBootstrapComponents(""), std::vector<std::string>{});
  EXPECT_EQ(SplitBootstrapComponents(",x,"), std::vector<std::string>{"x"});
  std::string text;
  std::vector<std::string> first16;
  for (int i = 0; i < 17; ++i) {
    std::string entry = "c" + std::to_string(i) + ":1";
    text += (i ? "," : "") + entry;
    if (i < 16) first16.push_back(entry);
  }
  EXPECT_EQ(SplitBootstrapComponents(text), first16);
  EXPECT_EQ(SplitBootstrapComponents(",,," + text), first16);

  ParameterSettings p = ReadKeys({{"BOOTSTRAP_COMPS", "a:1,,b:2"}});
  EXPECT_EQ(p.bootstrap_comps_text, "a:1,,b:2");
  EXPECT_EQ(p.bootstrap_comps, (std::vector<std::string>{"a:1", "b:2"}));
}

}  // namespace

namespace {

TEST(VelmorKeys, EveryRowIsFoundByItsNameInAnyCaseAndNamesAreUnique) {
  for (std::size_t i = 0; i < kVelmorKeyCount; ++i) {
    std::string lower = kVelmorKeys[i].name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(FindVelmorKey(lower), &kVelmorKeys[i]) << kVelmorKeys[i].name;
  }
  EXPECT_EQ(FindVelmorKey("WAIT_FOR_COMPLETIO"), nullptr);
  EXPECT_EQ(FindVelmorKey(""), nullptr);
}

}  // namespace
