#include "messages/catalogue_files.h"

#include <gtest/gtest.h>

namespace {

TEST(MakeLocaleTag, MapsSystemAbbreviations) {
  EXPECT_EQ(MakeLocaleTag("ENU", "USA"), "en_US");
  EXPECT_EQ(MakeLocaleTag("DEU", "DEU"), "de_DE");
  EXPECT_EQ(MakeLocaleTag("JPN", "JPN"), "ja_JP");
  EXPECT_EQ(MakeLocaleTag("CHT", "TWN"), "zh_TW");
  EXPECT_EQ(MakeLocaleTag("CHS", "CHN"), "zh_CN");
  // Every country abbreviation beginning with CH gives CN, Switzerland's too.
  EXPECT_EQ(MakeLocaleTag("DES", "CHE"), "de_CN");
  EXPECT_EQ(MakeLocaleTag("enu", "usa"), "en_US");
}

TEST(MakeLocaleTag, ToleratesShortNames) {
  EXPECT_EQ(MakeLocaleTag("", ""), "_");
  EXPECT_EQ(MakeLocaleTag("E", "U"), "e_U");
}

TEST(CatalogueDirectory, ReplacesProgramNameWithResource) {
  EXPECT_EQ(CatalogueDirectory("D:\\disk1\\setup.exe"), "D:\\disk1\\resource");
  EXPECT_EQ(CatalogueDirectory("setup.exe"), ".\\resource");
  EXPECT_EQ(CatalogueDirectory(""), ".\\resource");
}

TEST(LocalCataloguePaths, MostSpecificFirst) {
  EXPECT_EQ(
      LocalCataloguePaths("D:\\r", "zh_TW"),
      (std::vector<std::string>{"D:\\r\\cons_zh_TW.nls", "D:\\r\\cons_zh.nls", "D:\\r\\cons.nls"}));
  EXPECT_EQ(BaseCataloguePath("D:\\r"), "D:\\r\\cons.nls");
}

}  // namespace
