#include "staging/component_list.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseComponentEntry, IdBeforeTheFirstColonVersionUpToTheNext) {
  ComponentEntry c;
  ASSERT_TRUE(ParseComponentEntry("velmor.swd.tav:1.7.0.0.0", &c));
  EXPECT_EQ(c.id, "velmor.swd.tav");
  EXPECT_EQ(c.version, "1.7.0.0.0");
  ASSERT_TRUE(ParseComponentEntry("x:2:ignored:too", &c));
  EXPECT_EQ(c.id + "|" + c.version, "x|2");
  ASSERT_TRUE(ParseComponentEntry(":3", &c));
  EXPECT_EQ(c.id + "|" + c.version, "|3");
  for (const char* without_version : {"velmor.swd.tav", "velmor.swd.tav:", "a::b", ""}) {
    EXPECT_FALSE(ParseComponentEntry(without_version, &c)) << without_version;
  }
}

TEST(SelectComponents, EmptyListStagesTheFourKnownOnesFromTheirLocations) {
  for (const auto& list : {std::vector<std::string>{}, std::vector<std::string>{""}}) {
    ComponentSelection s = SelectComponents(list, false);
    EXPECT_TRUE(s.installer && s.installer_core && s.patch_tool && s.runtime);
    EXPECT_EQ(s.tav_location + s.tav_core_location + s.patchel_location, "");
    EXPECT_TRUE(s.expand_now.empty());
  }
}

TEST(SelectComponents, ListedComponentsOnlyWithTheirListedSources) {
  ComponentSelection s =
      SelectComponents({"velmor.swd.tav:1.7.0.0.0", "velmor.swd.patchel:1.7.0.0.0"}, false);
  EXPECT_TRUE(s.installer);
  EXPECT_TRUE(s.patch_tool);
  EXPECT_FALSE(s.installer_core);
  EXPECT_FALSE(s.runtime);
  EXPECT_EQ(s.tav_location, "..\\stage\\Components\\velmor.swd.tav\\1.7.0.0.0\\1\\DataFiles");
  EXPECT_EQ(s.patchel_location,
            "..\\stage\\Components\\velmor.swd.patchel\\1.7.0.0.0\\1\\DataFiles");
  EXPECT_EQ(s.tav_core_location, "");
  EXPECT_TRUE(s.expand_now.empty());

  s = SelectComponents(
      {"velmor.swd.tav.core:2", "velmor.swd.jre:9", "velmor.swd.tav:1", "velmor.swd.tav:3"}, false);
  EXPECT_TRUE(s.installer_core && s.runtime && s.installer);
  EXPECT_EQ(s.tav_core_location, "..\\stage\\Components\\velmor.swd.tav.core\\2\\1\\DataFiles");
  EXPECT_EQ(s.tav_location, "..\\stage\\Components\\velmor.swd.tav\\3\\1\\DataFiles");
}

TEST(SelectComponents, OtherIdsAndTheRuntimeWhenOnlyStagingAreExpandedInOrder) {
  std::vector<std::string> list = {"velmor.swd.extra:1.0", "Velmor.swd.tav:1", "velmor.swd.jre:1.6",
                                   "noversion", "velmor.swd.tav:1"};
  ComponentSelection s = SelectComponents(list, false);
  ASSERT_EQ(s.expand_now.size(), 2u);
  EXPECT_EQ(s.expand_now[0].id, "velmor.swd.extra");
  EXPECT_EQ(s.expand_now[1].id, "Velmor.swd.tav");  // ids compare case-sensitively
  EXPECT_TRUE(s.runtime && s.installer);

  s = SelectComponents(list, true);
  ASSERT_EQ(s.expand_now.size(), 3u);
  EXPECT_EQ(s.expand_now[2].id + ":" + s.expand_now[2].version, "velmor.swd.jre:1.6");
  EXPECT_FALSE(s.runtime);
}

}  // namespace
