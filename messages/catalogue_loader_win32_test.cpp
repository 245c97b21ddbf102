#include "messages/catalogue_loader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "messages/messages.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"

namespace {

using namespace std::string_literals;

class CatalogueLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel_catalogue_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    FreeMessageMaps();
    for (const std::string& file : written_) DeleteFileA(file.c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::string path = dir_ + "\\" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    written_.push_back(path);
  }
  int Load(const std::string& tag) {
    ::testing::internal::CaptureStderr();
    int result = LoadMessageCatalogueFrom(dir_, tag);
    stderr_ = ::testing::internal::GetCapturedStderr();
    return result;
  }

  std::string dir_;
  std::vector<std::string> written_;
  std::string stderr_;
};

TEST_F(CatalogueLoaderTest, ConsoleFallsBackKeyByKeyWhileTheLogReadsConsNls) {
  Write("cons_de_DE.nls", "S_TAV=Velmor Installationsprogramm\0"s);
  Write("cons_de.nls", "S_TAV=ignored\0S_WAITMSG=Bitte warten\0"s);
  Write("cons.nls", "S_TAV=Velmor Installer\0S_WAITMSG=Please wait\0S_BOOTSTRAPMSG=Copying\0"s);
  ASSERT_EQ(Load("de_DE"), 0);
  EXPECT_EQ(stderr_, "");
  EXPECT_STREQ(LocalMessage(msg::S_TAV), "Velmor Installationsprogramm");
  EXPECT_STREQ(LocalMessage(msg::S_WAITMSG), "Bitte warten");
  EXPECT_STREQ(LocalMessage(msg::S_BOOTSTRAPMSG), "Copying");
  EXPECT_STREQ(BaseMessage(msg::S_TAV), "Velmor Installer");
  EXPECT_STREQ(BaseMessage(msg::S_WAITMSG), "Please wait");
}

TEST_F(CatalogueLoaderTest, LocalizedCatalogueAloneLoadsWithAnEmptyBaseMap) {
  Write("cons_fr.nls", "S_TAV=Installateur\0"s);
  ASSERT_EQ(Load("fr_FR"), 0);
  EXPECT_STREQ(LocalMessage(msg::S_TAV), "Installateur");
  // A key no catalogue defines yields the key itself.
  EXPECT_STREQ(BaseMessage(msg::S_TAV), "S_TAV");
}

TEST_F(CatalogueLoaderTest, EmptyConsNlsCountsAsRead) {
  Write("cons.nls", "");
  EXPECT_EQ(Load("en_US"), 0);
  EXPECT_EQ(stderr_, "");
}

TEST_F(CatalogueLoaderTest, NoCatalogueIsAnError) {
  Write("cons_de.nls", "S_TAV=x\0"s);
  EXPECT_EQ(Load("en_US"), 1);
  EXPECT_EQ(stderr_, "\nERROR: Could not read any NLS message catalogue!\n");
}

TEST_F(CatalogueLoaderTest, WarnsAboutMalformedAndUnfitRecords) {
  Write("cons.nls", "K2\0S_ERBOOTSTRAP_RANGE=%s\0S_TAV=ok\0"s);
  ASSERT_EQ(Load("en_US"), 0);
  // The local and the base map read cons.nls each, so each warning comes twice.
  std::string once =
      "WARNING: Ignoring malformed message \"K2\" in catalogue!\n"
      "WARNING: Ignoring message \"S_ERBOOTSTRAP_RANGE=%s\" in catalogue: its conversions do "
      "not fit its arguments!\n";
  EXPECT_EQ(stderr_, once + once);
  EXPECT_STREQ(LocalMessage(msg::S_ERBOOTSTRAP_RANGE), "S_ERBOOTSTRAP_RANGE");
  EXPECT_STREQ(LocalMessage(msg::S_TAV), "ok");
}

TEST_F(CatalogueLoaderTest, CataloguePathsBeyond259CharactersAreNotRead) {
  Write("cons.nls", "S_TAV=ok\0"s);
  const std::size_t name = std::string("\\cons.nls").size();
  // The same directory, named through ".\" steps until cons.nls takes 258 or 259 characters.
  std::string padded = dir_;
  while (padded.size() + name + 2 <= 259) padded += "\\.";
  ASSERT_GE(padded.size() + name, 258u);
  EXPECT_EQ(Load("en_US"), 0);
  FreeMessageMaps();
  dir_.swap(padded);
  EXPECT_EQ(Load("en_US"), 0);
  FreeMessageMaps();
  dir_ += "\\.";
  EXPECT_EQ(Load("en_US"), 1);
  dir_.swap(padded);
}

}  // namespace
