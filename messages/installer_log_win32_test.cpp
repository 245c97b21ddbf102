#include "messages/installer_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "messages/message_output.h"
#include "messages/messages.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"
#include "tests/support/test_tree_win32.h"

namespace {

// Opens the log with this identity, as the launch sequence sets it.
void OpenLog(const std::string& fallback, const char* timestamp, const char* prefix) {
  g_installer_log.fallback_directory = fallback;
  g_installer_log.timestamp = timestamp;
  g_installer_log.prefix = prefix;
  OpenInstallerLog();
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
    CloseInstallerLog();
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
  void ExpectInventoryLogsUsed(const char* subkey) {
    std::string inventory = dir_ + "\\inventory";
    RegisterInventory(subkey, REG_SZ, inventory);
    OpenLog(dir_ + "\\fallback", "T1", "\\installActions");
    WriteLog("inventory");
    CloseInstallerLog();
    EXPECT_EQ(g_installer_log.path, inventory + "\\logs\\installActionsT1.log");
    EXPECT_EQ(ReadFile(inventory + "\\logs\\installActionsT1.log"), "inventory");
    EXPECT_EQ(GetFileAttributesA((dir_ + "\\fallback").c_str()), INVALID_FILE_ATTRIBUTES);
  }

  std::string dir_;
  std::string created_key_;
};

TEST_F(InstallerLogTest, FallbackDirectoryHoldsTheLogNamedByPrefixAndTimestamp) {
  OpenLog(dir_, "T1", "\\installActions");
  ASSERT_NE(g_installer_log.stream, nullptr);
  EXPECT_EQ(g_installer_log.path, dir_ + "\\installActionsT1.log");
  WriteLog("hello");
  EXPECT_EQ(ReadFile(dir_ + "\\installActionsT1.log"), "hello");  // flushed at once
  CloseInstallerLog();
  EXPECT_EQ(g_installer_log.stream, nullptr);
  OpenLog(dir_, "T1", "\\AttachHome");
  EXPECT_EQ(g_installer_log.path, dir_ + "\\AttachHomeT1.log");
  EXPECT_NE(GetFileAttributesA((dir_ + "\\AttachHomeT1.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallerLogTest, EveryOpeningAppendsToTheSameFile) {
  OpenLog(dir_, "T1", "\\installActions");
  WriteLog("first|");
  CloseInstallerLog();
  OpenLog(dir_, "T1", "\\installActions");
  ShowAndLog("second|");
  CloseInstallerLog();
  EXPECT_EQ(ReadFile(dir_ + "\\installActionsT1.log"), "first|second|");
}

TEST_F(InstallerLogTest, OverrideAndItsLogsDirectoryAreCreated) {
  g_installer_log.override_directory = dir_ + "\\over\\ride";
  OpenLog(dir_ + "\\fallback", "T1", "\\installActions");
  WriteLog("override");
  CloseInstallerLog();
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
  OpenLog(dir_ + "\\fallback", "T1", "\\installActions");
  CloseInstallerLog();
  SetEnvironmentVariableA("VEL_LOG_TEST_ROOT", nullptr);
  EXPECT_EQ(g_installer_log.path, dir_ + "\\fallback\\installActionsT1.log");
  EXPECT_EQ(GetFileAttributesA((dir_ + "\\inv").c_str()), INVALID_FILE_ATTRIBUTES);

  // The system's own are expanded.
  ASSERT_EQ(dir_.compare(0, 2, "C:"), 0) << dir_;
  g_installer_log = InstallerLog();
  RegisterInventory(kSoftwareKey, REG_EXPAND_SZ, "%SystemDrive%" + dir_.substr(2) + "\\inv");
  OpenLog(dir_ + "\\fallback", "T1", "\\installActions");
  CloseInstallerLog();
  EXPECT_EQ(g_installer_log.path, dir_ + "\\inv\\logs\\installActionsT1.log");
  EXPECT_NE(GetFileAttributesA(g_installer_log.path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallerLogTest, RelativeInventoryLocationIsNotUsed) {
  char saved_cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, saved_cwd);
  RegisterInventory(kSoftwareKey, REG_SZ, "inv");
  SetCurrentDirectoryA(dir_.c_str());
  OpenLog(dir_ + "\\fallback", "T1", "\\installActions");
  CloseInstallerLog();
  SetCurrentDirectoryA(saved_cwd);
  EXPECT_EQ(g_installer_log.path, dir_ + "\\fallback\\installActionsT1.log");
  EXPECT_EQ(GetFileAttributesA((dir_ + "\\inv").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallerLogTest, UnusableDirectoryOpensNothingButKeepsAnOpenLog) {
  CloseInstallerLog();  // with nothing open
  std::ofstream(dir_ + "\\file").close();
  OpenLog(dir_ + "\\file\\sub", "T1", "\\installActions");
  EXPECT_EQ(g_installer_log.stream, nullptr);
  EXPECT_EQ(g_installer_log.path, "");
  WriteLog("lost");
  EXPECT_EQ(ReadFile(dir_ + "\\file"), "");
  OpenLog(dir_, "T1", "\\installActions");
  OpenLog(dir_ + "\\file\\sub", "T1", "\\installActions");
  EXPECT_EQ(g_installer_log.path, dir_ + "\\installActionsT1.log");
  WriteLog("kept");
  CloseInstallerLog();
  EXPECT_EQ(ReadFile(dir_ + "\\installActionsT1.log"), "kept");
}

}  // namespace
