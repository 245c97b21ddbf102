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

// The selection's flags and sources, one "id=source" per staged component.
std::string Staged(const ComponentSelection& s) {
  std::string text;
  for (const ComponentInfo& row : kComponents) {
    if (s.Stages(row.component))
      text += std::string(row.id) + "=" + s.SourceOf(row.component) + " ";
  }
  return text;
}

TEST(SelectComponents, EmptyListStagesEveryKnownOneFromItsLocation) {
  for (const auto& list : {std::vector<std::string>{}, std::vector<std::string>{""}}) {
    ComponentSelection s = SelectComponents(list, false);
    EXPECT_EQ(Staged(s),
              "velmor.swd.jre= velmor.swd.tav= velmor.swd.tav.core= velmor.swd.patchel= ");
    EXPECT_TRUE(s.expand_now.empty());
  }
}

TEST(SelectComponents, EachKnownIdAloneStagesItsOwnRowFromTheListedPlace) {
  for (const ComponentInfo& row : kComponents) {
    ComponentSelection s = SelectComponents({std::string(row.id) + ":4.2"}, false);
    std::string source =
        row.component == Component::kRuntime
            ? ""
            : "..\\stage\\Components\\" + std::string(row.id) + "\\4.2\\1\\DataFiles";
    EXPECT_EQ(Staged(s), std::string(row.id) + "=" + source + " ") << row.id;
    EXPECT_TRUE(s.expand_now.empty()) << row.id;
  }
}

TEST(SelectComponents, LaterEntriesOfAnIdWin) {
  ComponentSelection s = SelectComponents(
      {"velmor.swd.tav.core:2", "velmor.swd.jre:9", "velmor.swd.tav:1", "velmor.swd.tav:3"}, false);
  EXPECT_EQ(Staged(s),
            "velmor.swd.jre= "
            "velmor.swd.tav=..\\stage\\Components\\velmor.swd.tav\\3\\1\\DataFiles "
            "velmor.swd.tav.core=..\\stage\\Components\\velmor.swd.tav.core\\2\\1\\DataFiles ");
}

TEST(SelectComponents, OtherIdsAndTheRuntimeWhenOnlyStagingAreExpandedInOrder) {
  std::vector<std::string> list = {"velmor.swd.extra:1.0", "Velmor.swd.tav:1", "velmor.swd.jre:1.6",
                                   "noversion", "velmor.swd.tav:1"};
  ComponentSelection s = SelectComponents(list, false);
  ASSERT_EQ(s.expand_now.size(), 2u);
  EXPECT_EQ(s.expand_now[0].id, "velmor.swd.extra");
  EXPECT_EQ(s.expand_now[1].id, "Velmor.swd.tav");  // ids compare case-sensitively
  EXPECT_TRUE(s.Stages(Component::kRuntime) && s.Stages(Component::kInstaller));

  s = SelectComponents(list, true);
  ASSERT_EQ(s.expand_now.size(), 3u);
  EXPECT_EQ(s.expand_now[2].id + ":" + s.expand_now[2].version, "velmor.swd.jre:1.6");
  EXPECT_FALSE(s.Stages(Component::kRuntime));
}

}  // namespace
