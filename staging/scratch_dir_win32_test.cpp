#include "staging/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "messages/message_map.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "platform/ensure_directory.h"
#include "platform/held_directory_win32.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }
bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }
bool IsDirectory(const std::string& path) {
  return Exists(path) && (Attributes(path) & FILE_ATTRIBUTE_DIRECTORY);
}

// Both the process environment and the C runtime's copy, which getenv reads; null unsets.
void SetEnv(const char* name, const char* value) {
  SetEnvironmentVariableA(name, value);
  _putenv_s(name, value != nullptr ? value : "");
}

class ScratchDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 2; ++i) {
      const char* value = std::getenv(kNames[i]);
      saved_env_[i] = value != nullptr ? value : "";
      had_env_[i] = value != nullptr;
    }
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel_scratch_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    // A report outside silent mode would open a message box and stall the run.
    g_run_flags.silent = true;
    SetEnv("TEMP", dir_.c_str());
  }
  void TearDown() override {
    holds_.clear();
    for (int i = 0; i < 2; ++i) SetEnv(kNames[i], had_env_[i] ? saved_env_[i].c_str() : nullptr);
    g_run_flags = RunFlags();
    FreeMessageMaps();
    RemoveTestTree(dir_);
  }
  // Reports show on stdout: this S_ERPERDIR text is too long to convert, so it takes the
  // standard-output fallback whatever the output handle is.
  int CreateReporting(std::string* path, std::string* report) {
    g_message_maps.local = CreateMessageMap();
    MessageMapPut(g_message_maps.local, "S_ERPERDIR", "PERDIR[%s]" + std::string(1100, 'r'));
    SetConsoleOutput(GetStdHandle(STD_OUTPUT_HANDLE));
    ::testing::internal::CaptureStdout();
    int result = Create(path);
    *report = ::testing::internal::GetCapturedStdout();
    SetConsoleOutput(nullptr);
    return result;
  }

  static constexpr const char* kNames[2] = {"TEMP", "TMP"};
  std::string saved_env_[2];
  bool had_env_[2] = {false, false};
  // The launch timestamp and mode the scratch directory is made for.
  std::string timestamp_ = "T1";
  int Create(std::string* path) {
    holds_.emplace_back(new HeldDirectory);
    bool outside_temp = false;
    return CreateScratchDir(timestamp_, path, holds_.back().get(), &outside_temp);
  }
  // The scratch directories made, held until the test ends.
  std::vector<std::unique_ptr<HeldDirectory>> holds_;
  std::string dir_;
};

TEST_F(ScratchDirTest, TempDirLosesOneTrailingBackslash) {
  SetEnv("TEMP", (dir_ + "\\").c_str());
  EXPECT_EQ(GetTempDir(), dir_);
  SetEnv("TEMP", "C:\\");
  EXPECT_EQ(GetTempDir(), "C:");
}

TEST_F(ScratchDirTest, UnusableTempGivesTheSystemsTemporaryDirectoryNeverCTemp) {
  // The system's own choice reads TMP first: a usable TMP is taken from there.
  SetEnv("TMP", dir_.c_str());
  std::string too_long = "C:\\" + std::string(1021, 'a');
  for (std::string value : {"C:", "temp", "C:\\a;C:\\b", "C:\\a:b", too_long.c_str()}) {
    SetEnv("TEMP", value.c_str());
    EXPECT_EQ(GetTempDir(), dir_) << value.substr(0, 20) << " (" << value.size() << ")";
  }
  // However long, a TEMP that is not there is unusable to an elevated launcher.
  too_long.pop_back();
  SetEnv("TEMP", too_long.c_str());
  EXPECT_EQ(GetTempDir(), dir_);

  // Neither usable: the Windows directory's Temp, whoever owns C:\TEMP.
  SetEnv("TEMP", "C:\\a;C:\\b");
  SetEnv("TMP", "C:\\x|y");
  char windows[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  EXPECT_EQ(GetTempDir(), std::string(windows) + "\\Temp");
}

TEST_F(ScratchDirTest, TmpIsReadOnlyWhenTempIsUnset) {
  SetEnv("TEMP", nullptr);
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\tmp").c_str(), nullptr));
  SetEnv("TMP", (dir_ + "\\tmp").c_str());
  EXPECT_EQ(GetTempDir(), dir_ + "\\tmp");
}

TEST_F(ScratchDirTest, EnsureDirectoryCreatesParentsButNotUnderAFile) {
  EXPECT_EQ(EnsureDirectory(dir_ + "\\a\\b\\c"), 1);
  EXPECT_TRUE(IsDirectory(dir_ + "\\a\\b\\c"));
  EXPECT_EQ(EnsureDirectory(dir_ + "\\a\\b\\c"), 1);
  std::ofstream(dir_ + "\\file").close();
  EXPECT_EQ(EnsureDirectory(dir_ + "\\file\\sub"), 0);
  EXPECT_FALSE(IsDirectory(dir_ + "\\file"));
}

TEST_F(ScratchDirTest, EachCallClaimsTheNextFreeName) {
  for (const char* name : {"\\VelInstallT1", "\\VelInstallT1_1", "\\VelInstallT1_2"}) {
    std::string path, report;
    ASSERT_EQ(CreateReporting(&path, &report), 0);
    EXPECT_EQ(path, dir_ + name);
    EXPECT_TRUE(IsDirectory(path));
    EXPECT_EQ(report, "");
    // Held from its creation: nobody can move it away and put something else there.
    EXPECT_FALSE(MoveFileExA(path.c_str(), (path + "x").c_str(), 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  }
  timestamp_ = "7";
  std::string path;
  ASSERT_EQ(Create(&path), 0);
  EXPECT_EQ(path, dir_ + "\\VelInstall7");
}

TEST_F(ScratchDirTest, NamesPlantedBeforehandAreNeverUsed) {
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\VelInstallT1").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\VelInstallT1_1").c_str(), nullptr));
  std::ofstream(dir_ + "\\VelInstallT1_2").close();
  std::string path;
  ASSERT_EQ(Create(&path), 0);
  EXPECT_EQ(path, dir_ + "\\VelInstallT1_3");
  EXPECT_TRUE(IsDirectory(path));
}

TEST_F(ScratchDirTest, AnElevatedLauncherPassesOverATempThatIsNoDirectoryAndCreatesNone) {
  // Wine runs every program elevated.
  std::ofstream(dir_ + "\\file").close();
  for (std::string temp : {dir_ + "\\x\\y", dir_ + "\\file\\sub", dir_ + "\\file"}) {
    SetEnv("TEMP", temp.c_str());
    std::string path;
    ASSERT_EQ(Create(&path), 0) << temp;
    EXPECT_NE(path.find("\\VelInstallT1"), std::string::npos) << path;
    EXPECT_NE(path.rfind(dir_, 0), 0u) << path;
    EXPECT_FALSE(Exists(dir_ + "\\x")) << temp;
    EXPECT_TRUE(holds_.back()->RemoveEmpty()) << path;
    EXPECT_FALSE(Exists(path));
  }
}

TEST_F(ScratchDirTest, TheScratchPathIsTheOneItsHoldPinsNotTheOneThroughTemp) {
  // TEMP named in its short form and through "..": the scratch path is the final one.
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\Long Folder Name").c_str(), nullptr));
  SetEnv("TEMP", (dir_ + "\\Long Folder Name\\..\\Long Folder Name").c_str());
  std::string path;
  ASSERT_EQ(Create(&path), 0);
  EXPECT_EQ(path, dir_ + "\\Long Folder Name\\VelInstallT1");
  EXPECT_EQ(holds_.back()->pinned_path(), path);
  EXPECT_TRUE(holds_.back()->IsAtPinnedPath());
  // Emptied, the directory goes through its hold.
  EXPECT_TRUE(holds_.back()->RemoveEmpty());
  EXPECT_FALSE(Exists(path));
}

TEST_F(ScratchDirTest, PathBeyond1023CharactersIsReportedAndNothingCreated) {
  timestamp_ = std::string(1030, 't');
  std::string path, report;
  EXPECT_EQ(CreateReporting(&path, &report), -1);
  EXPECT_EQ(report.rfind("PERDIR[" + dir_ + "\\VelInstalltttt", 0), 0u) << report.substr(0, 80);
  WIN32_FIND_DATAA entry;
  EXPECT_EQ(FindFirstFileA((dir_ + "\\VelInstall*").c_str(), &entry), INVALID_HANDLE_VALUE);
}

}  // namespace
