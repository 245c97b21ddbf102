#include "messages/installer_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "messages/log_location.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

// Sets the log's identity, as the launch sequence does.
void SetIdentity(const std::string& fallback, const char* timestamp, const char* prefix) {
  g_installer_log.fallback_directory = fallback;
  g_installer_log.file_name = LogFileName(prefix, timestamp);
}

constexpr char kSoftwareKey[] = "SOFTWARE\\VELMOR";
constexpr char kWow64Key[] = "SOFTWARE\\WOW6432NODE\\VELMOR";

bool KeyExists(const char* subkey) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

class InstallerLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetConsoleOutput(nullptr);
    g_installer_log = InstallerLog();
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel_log_test_" + std::to_string(GetCurrentProcessId()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    // Without an override a registered inventory location takes the log.
    if (KeyExists(kSoftwareKey) || KeyExists(kWow64Key)) GTEST_SKIP() << "inventory registered";
  }
  void TearDown() override {
    session_.reset();
    g_installer_log = InstallerLog();
    if (!created_key_.empty()) RegDeleteKeyA(HKEY_LOCAL_MACHINE, created_key_.c_str());
    RemoveTestTree(dir_);
  }
  void RegisterInventory(const char* subkey, DWORD type, const std::string& value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    created_key_ = subkey;
    LONG set =
        RegSetValueExA(key, "inst_loc", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    ASSERT_EQ(set, ERROR_SUCCESS);
  }
  // Opens a session's log with this identity.
  void OpenLog(const std::string& fallback, const char* timestamp, const char* prefix) {
    SetIdentity(fallback, timestamp, prefix);
    session_ = std::make_unique<InstallerLogSession>();
    session_->Open();
  }
  void ExpectInventoryLogsUsed(const char* subkey) {
    std::string inventory = dir_ + "\\inventory";
    RegisterInventory(subkey, REG_SZ, inventory);
    OpenLog(dir_ + "\\fallback", "T1", "installActions");
    WriteLog("inventory");
    session_->Close();
    EXPECT_EQ(g_installer_log.path, inventory + "\\logs\\installActionsT1.log");
    EXPECT_EQ(ReadFile(inventory + "\\logs\\installActionsT1.log"), "inventory");
    EXPECT_EQ(GetFileAttributesA((dir_ + "\\fallback").c_str()), INVALID_FILE_ATTRIBUTES);
  }

  std::unique_ptr<InstallerLogSession> session_;
  std::string dir_;
  std::string created_key_;
};

TEST_F(InstallerLogTest, FallbackDirectoryHoldsTheLogNamedByPrefixAndTimestamp) {
  OpenLog(dir_, "T1", "AttachHome");
  ASSERT_NE(g_installer_log.stream, nullptr);
  EXPECT_EQ(g_installer_log.path, dir_ + "\\AttachHomeT1.log");
  WriteLog("hello");
  EXPECT_EQ(ReadFile(dir_ + "\\AttachHomeT1.log"), "hello");  // flushed at once
  session_->Close();
  EXPECT_EQ(g_installer_log.stream, nullptr);
  EXPECT_EQ(g_installer_log.path, dir_ + "\\AttachHomeT1.log");
  WriteLog("dropped");
  EXPECT_EQ(ReadFile(dir_ + "\\AttachHomeT1.log"), "hello");
}

TEST_F(InstallerLogTest, FirstLineOpensTheLogAndLaterOpeningsKeepIt) {
  SetIdentity(dir_, "T1", "installActions");
  session_ = std::make_unique<InstallerLogSession>();
  EXPECT_EQ(GetFileAttributesA((dir_ + "\\installActionsT1.log").c_str()), INVALID_FILE_ATTRIBUTES);
  WriteLog("first|");
  std::FILE* stream = g_installer_log.stream;
  ASSERT_NE(stream, nullptr);
  session_->Open();
  session_->Retarget();
  ShowAndLog("second|");
  EXPECT_EQ(g_installer_log.stream, stream);
  session_.reset();
  EXPECT_EQ(ReadFile(dir_ + "\\installActionsT1.log"), "first|second|");
}

TEST_F(InstallerLogTest, RelativeDirectoryNamesAnotherFileAfterTheWorkingDirectoryMoves) {
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\a").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\b").c_str(), nullptr));
  char saved_cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, saved_cwd);
  SetCurrentDirectoryA((dir_ + "\\a").c_str());
  g_installer_log.override_directory = "over";
  OpenLog(dir_ + "\\fallback", "T1", "installActions");
  WriteLog("in a|");
  SetCurrentDirectoryA((dir_ + "\\b").c_str());
  session_->Retarget();
  WriteLog("in b|");
  session_.reset();
  SetCurrentDirectoryA(saved_cwd);
  EXPECT_EQ(ReadFile(dir_ + "\\a\\over\\logs\\installActionsT1.log"), "in a|");
  EXPECT_EQ(ReadFile(dir_ + "\\b\\over\\logs\\installActionsT1.log"), "in b|");
}

TEST_F(InstallerLogTest, OverrideAndItsLogsDirectoryAreCreated) {
  g_installer_log.override_directory = dir_ + "\\over\\ride";
  OpenLog(dir_ + "\\fallback", "T1", "installActions");
  WriteLog("override");
  session_->Close();
  EXPECT_EQ(g_installer_log.path, dir_ + "\\over\\ride\\logs\\installActionsT1.log");
  EXPECT_EQ(ReadFile(dir_ + "\\over\\ride\\logs\\installActionsT1.log"), "override");
}

TEST_F(InstallerLogTest, InventoryLocationUnderSoftwareIsUsed) {
  ExpectInventoryLogsUsed(kSoftwareKey);
}

TEST_F(InstallerLogTest, InventoryLocationUnderWow6432NodeIsUsed) {
  ExpectInventoryLogsUsed(kWow64Key);
}

TEST_F(InstallerLogTest, ExpandableInventoryLocationIsExpandedWithTheSystemsVariablesOnly) {
  // A variable of the launcher's own environment (the user's) stays unexpanded, so the
  // location is not absolute and the log goes to the fallback directory.
  SetEnvironmentVariableA("VEL_LOG_TEST_ROOT", dir_.c_str());
  RegisterInventory(kSoftwareKey, REG_EXPAND_SZ, "%VEL_LOG_TEST_ROOT%\\inv");
  OpenLog(dir_ + "\\fallback", "T1", "installActions");
  session_.reset();
  SetEnvironmentVariableA("VEL_LOG_TEST_ROOT", nullptr);
  EXPECT_EQ(g_installer_log.path, dir_ + "\\fallback\\installActionsT1.log");
  EXPECT_EQ(GetFileAttributesA((dir_ + "\\inv").c_str()), INVALID_FILE_ATTRIBUTES);

  // The system's own are expanded.
  ASSERT_EQ(dir_.compare(0, 2, "C:"), 0) << dir_;
  g_installer_log = InstallerLog();
  RegisterInventory(kSoftwareKey, REG_EXPAND_SZ, "%SystemDrive%" + dir_.substr(2) + "\\inv");
  OpenLog(dir_ + "\\fallback", "T1", "installActions");
  session_.reset();
  EXPECT_EQ(g_installer_log.path, dir_ + "\\inv\\logs\\installActionsT1.log");
  EXPECT_NE(GetFileAttributesA(g_installer_log.path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallerLogTest, RelativeInventoryLocationIsNotUsed) {
  char saved_cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, saved_cwd);
  RegisterInventory(kSoftwareKey, REG_SZ, "inv");
  SetCurrentDirectoryA(dir_.c_str());
  OpenLog(dir_ + "\\fallback", "T1", "installActions");
  session_.reset();
  SetCurrentDirectoryA(saved_cwd);
  EXPECT_EQ(g_installer_log.path, dir_ + "\\fallback\\installActionsT1.log");
  EXPECT_EQ(GetFileAttributesA((dir_ + "\\inv").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallerLogTest, UnusableDirectoryOpensNothingAndDropsTheLinesNamedThere) {
  std::ofstream(dir_ + "\\file").close();
  OpenLog(dir_ + "\\file\\sub", "T1", "installActions");
  EXPECT_EQ(g_installer_log.stream, nullptr);
  EXPECT_EQ(g_installer_log.path, "");
  WriteLog("lost|");
  EXPECT_EQ(ReadFile(dir_ + "\\file"), "");
  g_installer_log.fallback_directory = dir_;
  session_->Retarget();
  WriteLog("kept|");
  EXPECT_EQ(g_installer_log.path, dir_ + "\\installActionsT1.log");
  // Each group of lines went where the identity named it then.
  g_installer_log.fallback_directory = dir_ + "\\file\\sub";
  session_->Open();
  WriteLog("lost again|");
  EXPECT_EQ(g_installer_log.path, "");
  session_.reset();
  EXPECT_EQ(ReadFile(dir_ + "\\installActionsT1.log"), "kept|");
}

}  // namespace
