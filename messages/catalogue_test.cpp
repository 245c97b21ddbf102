#include "messages/catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/message_map.h"

namespace {

using namespace std::string_literals;

std::vector<std::string> Records(const std::string& bytes) {
  std::vector<std::string> records;
  SplitCatalogueRecords(bytes, [&](std::string_view r) { records.emplace_back(r); });
  return records;
}

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { map_ = CreateMessageMap(); }
  void TearDown() override { DestroyMessageMap(map_); }
  MessageMap* map_ = nullptr;
  std::string warnings_;
};

TEST(SplitCatalogueRecords, EndsRecordsAtNulAndDropsUnterminatedTail) {
  EXPECT_EQ(Records("K1=1\0K2\0K3=x=y\0K4=2"s), (std::vector<std::string>{"K1=1", "K2", "K3=x=y"}));
  EXPECT_EQ(Records(""), std::vector<std::string>{});
  EXPECT_EQ(Records("\0\0"s), (std::vector<std::string>{"", ""}));
}

TEST(SplitCatalogueRecords, CutsLongRecordsAt1023Bytes) {
  std::string long_record(2000, 'a');
  std::vector<std::string> records = Records(long_record + '\0');
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].size(), 1023u);
  EXPECT_EQ(records[1].size(), 977u);

  // 1022 bytes and the NUL fit one record; 1023 bytes leave the NUL as an empty record.
  EXPECT_EQ(Records(std::string(1022, 'b') + '\0').size(), 1u);
  records = Records(std::string(1023, 'c') + '\0');
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1], "");
  // A cut record counts even when the file ends right after it.
  EXPECT_EQ(Records(std::string(1023, 'd')).size(), 1u);
  EXPECT_EQ(Records(std::string(1024, 'd')).size(), 1u);
}

TEST_F(CatalogueTest, ReadsRecordsWarnsOnMalformedOnes) {
  AddCatalogueToMap("K1=1\0K2\0K3=x=y\0K4=2"s, map_, &warnings_);
  EXPECT_STREQ(MessageMapGet(map_, "K1"), "1");
  EXPECT_STREQ(MessageMapGet(map_, "K3"), "x=y");
  EXPECT_EQ(MessageMapGet(map_, "K2"), nullptr);
  EXPECT_EQ(MessageMapGet(map_, "K4"), nullptr);
  EXPECT_EQ(warnings_, "WARNING: Ignoring malformed message \"K2\" in catalogue!\n");
}

TEST_F(CatalogueTest, EmptyKeyAndEmptyTextAreRecords) {
  AddCatalogueToMap("=text\0S_TAV=\0"s, map_, &warnings_);
  EXPECT_STREQ(MessageMapGet(map_, ""), "text");
  EXPECT_STREQ(MessageMapGet(map_, "S_TAV"), "");
  EXPECT_EQ(warnings_, "");
}

TEST_F(CatalogueTest, FirstDefinitionWinsWithinAndAcrossCatalogues) {
  AddCatalogueToMap("S_TAV=Erster\0S_TAV=Zweiter\0"s, map_, &warnings_);
  AddCatalogueToMap("S_TAV=Base\0S_WAITMSG=Wait\0"s, map_, &warnings_);
  EXPECT_STREQ(MessageMapGet(map_, "S_TAV"), "Erster");
  EXPECT_STREQ(MessageMapGet(map_, "S_WAITMSG"), "Wait");
  EXPECT_EQ(warnings_, "");
}

TEST_F(CatalogueTest, RefusesTextWhoseConversionsDoNotFitSoTheNextCatalogueIsUsed) {
  // S_ERBOOTSTRAP_RANGE takes an int; a %s would read a string from it.
  AddCatalogueToMap("S_ERBOOTSTRAP_RANGE=Bad %s\0S_TAV=%n\0"s, map_, &warnings_);
  EXPECT_EQ(MessageMapGet(map_, "S_ERBOOTSTRAP_RANGE"), nullptr);
  EXPECT_EQ(MessageMapGet(map_, "S_TAV"), nullptr);
  EXPECT_EQ(warnings_,
            "WARNING: Ignoring message \"S_ERBOOTSTRAP_RANGE=Bad %s\" in catalogue: its "
            "conversions do not fit its arguments!\n"
            "WARNING: Ignoring message \"S_TAV=%n\" in catalogue: its conversions do not fit "
            "its arguments!\n");
  AddCatalogueToMap("S_ERBOOTSTRAP_RANGE=At most %d MB\0"s, map_, &warnings_);
  EXPECT_STREQ(MessageMapGet(map_, "S_ERBOOTSTRAP_RANGE"), "At most %d MB");
}

TEST_F(CatalogueTest, KeysTheLauncherNeverUsesAreKeptAsTheyAre) {
  AddCatalogueToMap("S_SOMETHING_ELSE=%s %n\0"s, map_, &warnings_);
  EXPECT_STREQ(MessageMapGet(map_, "S_SOMETHING_ELSE"), "%s %n");
}

}  // namespace
