// The generic pass and the swap-space check against real registry values, set for each
// test and restored after it.
#include "prereq/prereq_checks.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "messages/installer_log.h"
#include "messages/message_map.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"
#include "prereq/swap_space.h"
#include "prereq/system_info.h"
#include "tests/support/log_file_session.h"

namespace {

constexpr char kMemoryKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";

// A registry value as it was before a test, put back afterwards.
class SavedValue {
 public:
  SavedValue(const char* subkey, const char* name) : subkey_(subkey), name_(name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      data_.resize(size);
      existed_ = RegQueryValueExA(key, name, nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
  }
  ~SavedValue() {
    if (existed_) {
      Set(type_, data_.data(), static_cast<DWORD>(data_.size()));
    } else {
      Delete();
    }
  }
  void Set(DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey_, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name_, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void Delete() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey_, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name_);
    RegCloseKey(key);
  }

 private:
  const char* subkey_;
  const char* name_;
  bool existed_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> data_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text = in ? std::string(std::istreambuf_iterator<char>(in), {}) : "";
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

class PrereqChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetConsoleOutput(nullptr);
    g_message_maps.local = CreateMessageMap();
    g_message_maps.base = CreateMessageMap();
    const char* const keys[][2] = {{"S_CHECKING_FOR_SWAP", "[swap %s]"},
                                   {"S_ACTUAL_SWAP", "[actual %d]"},
                                   {"S_SPASSED", "[passed]"},
                                   {"S_SFAILED", "[failed]"},
                                   {"S_REGISTRY_KEY_TOO_LARGE", "[too large]"},
                                   {"S_INVALID_SWAP_SPACE_REQ", "[invalid]"},
                                   {"S_FAIL_CHECKING_FOR_SWAP", "[only %d of %s]"},
                                   {"S_FAILED_TO_OPEN_REGISTRY", "[no registry]"},
                                   {"S_CHECKING_FOR_CPU", "[cpu %s]"},
                                   {"S_ACTUAL_CPU", "[clock %d]"},
                                   {"S_CHECKING_FOR_SERVICE_PACK", "[sp "},
                                   {"S_ACTUAL", "|actual %s]"}};
    for (const auto& key : keys) MessageMapPut(g_message_maps.base, key[0], key[1]);
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    std::string base = std::string(temp) + "vel_prereq_" + std::to_string(GetCurrentProcessId()) +
                       "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    log_path_ = base + ".log";
    param_path_ = base + ".ini";
    log_ = std::make_unique<LogFileSession>(log_path_);
  }
  void TearDown() override {
    log_.reset();
    FreeMessageMaps();
    g_run_flags = RunFlags();
    DeleteFileA(log_path_.c_str());
    DeleteFileA(param_path_.c_str());
  }

  std::string Log() { return ReadFile(log_path_); }
  void ClearLog() {
    log_.reset();
    DeleteFileA(log_path_.c_str());
    log_ = std::make_unique<LogFileSession>(log_path_);
  }

  void SetPagingFiles(const std::string& multi_string) {
    paging_files_.Set(REG_MULTI_SZ, multi_string.data(), static_cast<DWORD>(multi_string.size()));
  }

  // The generic pass over `section_text`: its result and what it logged.
  int GenericPass(const std::string& section_text, PrereqPassState* state) {
    std::ofstream(param_path_, std::ios::binary) << "[Generic Prereqs]\n" << section_text;
    state->param_file = param_path_;
    return CheckPrereqPass(state, true, true);
  }

  SavedValue paging_files_{kMemoryKey, "PagingFiles"};
  SavedValue clock_{kProcessorKey, "~MHz"};
  std::string log_path_, param_path_;
  std::unique_ptr<LogFileSession> log_;
};

TEST_F(PrereqChecksTest, SwapSpaceCountsTheMaximumSizes) {
  SetPagingFiles(std::string("C:\\pagefile.sys 1024 2048\0D:\\pagefile.sys 512 1024\0\0", 52));
  EXPECT_FALSE(CheckSwapSpace("3072"));
  EXPECT_EQ(Log(), "[swap 3072][actual 3072][passed]");
  ClearLog();
  EXPECT_TRUE(CheckSwapSpace("3072.5"));
  EXPECT_EQ(Log(), "[only 3072 of 3072.5][failed]");
}

TEST_F(PrereqChecksTest, SwapSpaceFailuresSayWhy) {
  EXPECT_TRUE(CheckSwapSpace("abc"));
  EXPECT_TRUE(CheckSwapSpace("-5"));
  EXPECT_EQ(Log(), "[invalid][failed][invalid][failed]");
  ClearLog();
  std::string long_value;
  while (long_value.size() <= 1100) long_value += std::string("C:\\pagefile.sys 1 2\0", 20);
  SetPagingFiles(long_value + '\0');
  EXPECT_TRUE(CheckSwapSpace("1"));
  EXPECT_EQ(Log(), "[too large][failed]");
  ClearLog();
  paging_files_.Delete();
  EXPECT_TRUE(CheckSwapSpace("1"));
  EXPECT_EQ(Log(), "[no registry][failed]");
}

TEST_F(PrereqChecksTest, SystemManagedPagingFilesCountWhatIsAvailable) {
  SetPagingFiles(std::string("C:\\pagefile.sys 0 0\0\0", 22));
  ASSERT_GE(ReadOsVersion().major, 6);
  std::uint64_t available = AvailablePageFileMb();
  ASSERT_GT(available, 0u);
  EXPECT_FALSE(CheckSwapSpace("1"));
  // The figure may move a little between the two readings.
  std::string log = Log();
  int shown = std::stoi(log.substr(log.find("[actual ") + 8));
  EXPECT_NEAR(static_cast<double>(shown), static_cast<double>(available), 64.0) << log;
}

TEST_F(PrereqChecksTest, GenericPassChecksEachKnownKeyAndGathersNoPlatformMessage) {
  DWORD clock = 1234;
  clock_.Set(REG_DWORD, &clock, sizeof clock);
  SetPagingFiles(std::string("C:\\pagefile.sys 1024 2048\0\0", 28));
  PrereqPassState state;
  // Wine reports "Service Pack 1"; the display check needs a console user.
  g_run_flags.silent = true;
  EXPECT_EQ(GenericPass("CPU=1234\nUNKNOWN=1\nSERVICE_PACK=1\nSWAP_SPACE=2048\n"
                        "MIN_DISPLAY_COLORS=256\nCPU=\nCPU_FAILURE_MESSAGE=x\n",
                        &state),
            kPassPassed);
  EXPECT_EQ(Log(),
            "[cpu 1234][clock 1234][passed][sp 1|actual Service Pack 1][passed]"
            "[swap 2048][actual 2048][passed]");
  ClearLog();
  EXPECT_EQ(GenericPass("CPU=1235\nSERVICE_PACK=2\nCPU=0\nSWAP_SPACE=4096\n", &state), kPassFailed);
  EXPECT_EQ(Log(),
            "[cpu 1235][clock 1234][failed][sp 2|actual Service Pack 1][failed]"
            "[cpu 0][clock 1234][only 2048 of 4096][failed]");
  // Failure messages come from the platform sections, unknown in the generic pass.
  EXPECT_EQ(state.failure_text, "");
}

}  // namespace
