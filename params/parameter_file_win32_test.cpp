#include "params/parameter_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "params/parameter_settings.h"
#include "platform/sealed_file_win32.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

std::string CurrentDirectory() {
  char cwd[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, cwd);
  return std::string(cwd, n);
}

// The directory of windows_tests.exe, where the launcher also looks for velparam.ini.
std::string ExeDirectory() {
  char module[MAX_PATH];
  std::string path(module, GetModuleFileNameA(nullptr, module, MAX_PATH));
  return path.substr(0, path.rfind('\\'));
}

class ParameterFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_cwd_ = CurrentDirectory();
    SetConsoleOutput(nullptr);
    g_installer_log = InstallerLog();
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel_param_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((dir_ + "\\start").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((dir_ + "\\other").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((dir_ + "\\scratch").c_str(), nullptr));
    // A report outside silent mode would open a message box and stall the run.
    g_run_flags.silent = true;
    scratch_ = dir_ + "\\scratch";
    g_installer_log.fallback_directory = scratch_;
    g_installer_log.file_name = "installActionsT1.log";
    log_ = std::make_unique<InstallerLogSession>();
    launcher_ = ExeDirectory();
    for (const std::string& planted :
         {launcher_ + "\\velparam.ini", launcher_ + "\\..\\velparam.ini"})
      if (Exists(planted)) GTEST_SKIP() << planted << " would be found";
    // A registered inventory would take the installer log elsewhere.
    HKEY key;
    for (const char* subkey : {"SOFTWARE\\VELMOR", "SOFTWARE\\WOW6432NODE\\VELMOR"}) {
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        GTEST_SKIP() << "inventory registered";
      }
    }
  }
  void TearDown() override {
    log_.reset();
    g_installer_log = InstallerLog();
    SetCurrentDirectoryA(saved_cwd_.c_str());
    g_run_flags = RunFlags();
    RemoveTestTree(dir_);
  }
  ParameterFileStatus Read(const std::string& startup, ParameterSettings* params) {
    startup_dir_ = startup;
    return ReadParameterFile(overrides_, ExeDirectory(), &startup_dir_, scratch_, params,
                             {ProfileKeyReader, HoldMediumFile});
  }
  std::string Log() { return ReadFile(scratch_ + "\\installActionsT1.log"); }

  ParameterOverrides overrides_;
  std::string saved_cwd_, dir_, scratch_, launcher_, startup_dir_;
  std::unique_ptr<InstallerLogSession> log_;
};

TEST_F(ParameterFileTest, ProfileReaderTrimsUnquotesAndIgnoresCase) {
  WriteFile(dir_ + "\\velparam.ini",
            "[Other]\r\nELSEWHERE=x\r\n"
            "[velmor]\r\n"
            "tav_version = \"11.2.0.1.0\"  \r\n"
            "NESTED=\"\"two\"\"\r\n"
            "BLANKS =   spaced value   \r\n"
            "LONG=" +
                std::string(2000, 'L') + "\r\n");
  KeyReader read = ProfileKeyReader(dir_ + "\\velparam.ini");
  EXPECT_EQ(read("TAV_VERSION", "def"), "11.2.0.1.0");
  EXPECT_EQ(read("Tav_Version", "def"), "11.2.0.1.0");
  EXPECT_EQ(read("NESTED", "def"), "\"two\"");
  EXPECT_EQ(read("BLANKS", "def"), "spaced value");
  EXPECT_EQ(read("MISSING", "def"), "def");
  EXPECT_EQ(read("ELSEWHERE", "def"), "def");
  std::string long_value = read("LONG", "def");
  EXPECT_LE(long_value.size(), 1023u);
  EXPECT_GE(long_value.size(), 1000u);
  EXPECT_EQ(long_value, std::string(long_value.size(), 'L'));

  EXPECT_EQ(ProfileKeyReader(dir_ + "\\none.ini")("TAV_VERSION", "1.7.0.0.0"), "1.7.0.0.0");
}

TEST_F(ParameterFileTest, NamedFileInAnotherDirectoryIsUsed) {
  WriteFile(dir_ + "\\other\\mine.ini", "[Velmor]\r\nTAV_VERSION=9.9\r\n");
  WriteFile(dir_ + "\\start\\velparam.ini", "[Velmor]\r\nTAV_VERSION=1.1\r\n");
  ParameterSettings params;
  params.path = dir_ + "\\other\\mine.ini";
  ASSERT_EQ(Read(dir_ + "\\start", &params), ParameterFileStatus::kRead);
  EXPECT_EQ(params.path, dir_ + "\\other\\mine.ini");
  EXPECT_EQ(params.tav_version, "9.9");
  EXPECT_EQ(params.locations.tav, launcher_);
  std::string log = Log();
  EXPECT_EQ(Count(log, "S_USING_PARAMFILE"), 1) << log;
  EXPECT_EQ(Count(log, "S_ERVELPARAMNFD_LOC"), 0) << log;
  // Moving to the startup directory is the launch sequence's.
  EXPECT_EQ(CurrentDirectory(), saved_cwd_);
  EXPECT_EQ(startup_dir_, launcher_);

  // A relative name is taken from the working directory of the call.
  ASSERT_TRUE(SetCurrentDirectoryA((dir_ + "\\other").c_str()));
  params = ParameterSettings();
  params.path = "mine.ini";
  ASSERT_EQ(Read(dir_ + "\\start", &params), ParameterFileStatus::kRead);
  EXPECT_EQ(params.path, dir_ + "\\other\\mine.ini");
  EXPECT_EQ(params.tav_version, "9.9");
}

TEST_F(ParameterFileTest, FileInTheStartupParentIsFoundSecondAndMadeAbsolute) {
  WriteFile(dir_ + "\\velparam.ini", "[Velmor]\r\nBOOTSTRAP=T\r\n");
  ParameterSettings params;
  ASSERT_EQ(Read(dir_ + "\\start", &params), ParameterFileStatus::kRead);
  EXPECT_EQ(params.path, dir_ + "\\velparam.ini");
  EXPECT_EQ(params.path.find(".."), std::string::npos);
  EXPECT_EQ(params.bootstrap, "T");
  std::string log = Log();
  EXPECT_EQ(Count(log, "S_ERVELPARAMNFD_LOC"), 1) << log;
  EXPECT_EQ(Count(log, "S_USING_PARAMFILE"), 1) << log;
  EXPECT_EQ(startup_dir_, launcher_);
}

TEST_F(ParameterFileTest, MissingNamedFileFallsBackToTheSearch) {
  WriteFile(dir_ + "\\start\\velparam.ini", "[Velmor]\r\nTAV_VERSION=1.1\r\n");
  ParameterSettings params;
  params.path = dir_ + "\\other\\gone.ini";
  ASSERT_EQ(Read(dir_ + "\\start", &params), ParameterFileStatus::kRead);
  EXPECT_EQ(params.path, dir_ + "\\start\\velparam.ini");
  EXPECT_EQ(params.tav_version, "1.1");
  std::string log = Log();
  std::size_t not_found = log.find("S_ERUSR_PARAMFILE_NOT_FOUND");
  ASSERT_NE(not_found, std::string::npos) << log;
  EXPECT_NE(log.find("S_DEF_PARAMFILE", not_found), std::string::npos) << log;
  EXPECT_EQ(Count(log, "S_USING_PARAMFILE"), 0) << log;
}

TEST_F(ParameterFileTest, NoFileAnywhereLogsEveryPlaceAndFails) {
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\start\\deeper").c_str(), nullptr));
  ParameterSettings params;
  EXPECT_EQ(Read(dir_ + "\\start\\deeper", &params), ParameterFileStatus::kNotFound);
  std::string log = Log();
  EXPECT_EQ(Count(log, "S_ERVELPARAMNFD_LOC"), 4) << log;
  EXPECT_EQ(Count(log, "S_ERVELPARAMNFD") - Count(log, "S_ERVELPARAMNFD_LOC"), 1) << log;
  EXPECT_GT(log.rfind("S_ERVELPARAMNFD"), log.rfind("S_ERVELPARAMNFD_LOC")) << log;
  EXPECT_EQ(CurrentDirectory(), saved_cwd_);
}

}  // namespace
