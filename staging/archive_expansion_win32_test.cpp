// ExpandJars with the real unzip.exe on real deflated jars (tools/make_medium.py
// test-jars), and GetFreeDiskKB against the volume's own figures.
#include "staging/archive_expansion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "messages/installer_log.h"
#include "messages/message_map.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"
#include "staging/free_disk.h"
#include "tests/support/log_file_session.h"
#include "tests/support/test_tree_win32.h"

namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

// Console texts longer than the conversion buffer go to standard output, where the
// tests capture them.
const std::string kPad(1100, '.');

std::string BuildDir() {
  char module[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string path(module, length);
  return path.substr(0, path.rfind('\\'));
}

std::string Jars(const char* name) { return BuildDir() + "\\test-support\\jars\\" + name; }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Only the wide calls take a path longer than MAX_PATH.
std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  int size = static_cast<int>(text.size());
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], size));
  return wide;
}

class ExpandJarsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_run_flags.silent = true;
    SetConsoleOutput(GetStdHandle(STD_OUTPUT_HANDLE));
    g_message_maps.local = CreateMessageMap();
    g_message_maps.base = CreateMessageMap();
    MessageMapPut(g_message_maps.local, "S_UNZIP_FAILED", "LOCAL-UNZIP-FAILED[%s]" + kPad);
    MessageMapPut(g_message_maps.base, "S_UNZIP_FAILED", "\nUNZIP-FAILED[%s]\n");
    MessageMapPut(g_message_maps.base, "S_UNZIP_COMMANDLINE", "\nCOMMAND: ");

    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    dir_ = std::string(temp) + "vel expand " + std::to_string(GetCurrentProcessId()) + " " +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    // The launcher directory and the sources have blanks in their names.
    launcher_dir_ = dir_ + "\\disk 1";
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(launcher_dir_.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((BuildDir() + "\\unzip\\unzip.exe").c_str(),
                          (launcher_dir_ + "\\unzip.exe").c_str(), FALSE));
    log_path_ = dir_ + "\\installer.log";
    log_ = std::make_unique<LogFileSession>(log_path_);
  }
  void TearDown() override {
    log_.reset();
    FreeMessageMaps();
    SetConsoleOutput(nullptr);
    g_run_flags = RunFlags();
    RemoveTestTree(dir_);
  }

  // Runs ExpandJars; returns its result and keeps what it showed in `shown_`.
  int Expand(const std::string& source, const std::string& destination, bool debug = false) {
    CaptureStdout();
    int result = ExpandJars(source, destination, launcher_dir_, debug);
    shown_ = GetCapturedStdout();
    return result;
  }

  // The log is a text-mode stream: its line ends are "\r\n" on disk.
  std::string Log() {
    std::string text = ReadFile(log_path_);
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
  }

  std::string dir_, launcher_dir_, log_path_, shown_;
  std::unique_ptr<LogFileSession> log_;
};

TEST_F(ExpandJarsTest, ExpandsEveryJarIntoANewDestinationAndLogsTheCommand) {
  // Only the destination's parent's parent exists: it is made as needed.
  std::string destination = dir_ + "\\scratch dir\\VelInstall7";
  ASSERT_EQ(Expand(Jars("two"), destination), 0);
  EXPECT_EQ(ReadFile(destination + "\\a\\one.txt"), "one\n");
  EXPECT_EQ(ReadFile(destination + "\\b\\deep\\two.txt").size(), 4000u);
  EXPECT_EQ(ReadFile(destination + "\\shared.txt"), "b\n");  // b.jar comes second
  EXPECT_TRUE(Exists(destination + "\\META-INF\\MANIFEST.MF"));
  EXPECT_EQ(shown_, "");
  EXPECT_EQ(Log(), "\nCOMMAND: \"" + launcher_dir_ + "\\unzip\" -qqqo \"" + Jars("two") +
                       "/*.jar\" -d \"" + destination + "\" ");
}

TEST_F(ExpandJarsTest, OverwritesWhatIsThereAndKeepsTheRest) {
  std::string destination = dir_ + "\\scratch";
  ASSERT_TRUE(CreateDirectoryA(destination.c_str(), nullptr));
  WriteFile(destination + "\\shared.txt", "old\n");
  WriteFile(destination + "\\mine.txt", "kept\n");
  // A trailing backslash must not turn the closing quote into part of the name.
  ASSERT_EQ(Expand(Jars("two"), destination + "\\"), 0);
  EXPECT_EQ(ReadFile(destination + "\\shared.txt"), "b\n");
  EXPECT_EQ(ReadFile(destination + "\\mine.txt"), "kept\n");
  EXPECT_TRUE(Exists(destination + "\\a\\one.txt"));
}

TEST_F(ExpandJarsTest, SourceWithBlanksAndUtf8NamesWithoutExtraField) {
  std::string source = dir_ + "\\my stage\\Data Files";
  ASSERT_TRUE(CreateDirectoryA((dir_ + "\\my stage").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA((Jars("named") + "\\n.jar").c_str(), (source + "\\n.jar").c_str(), FALSE));
  std::string destination = dir_ + "\\out";
  ASSERT_EQ(Expand(source + "\\", destination, true), 0);
  // Stored as UTF-8 in the jar; the ANSI name of the test prefix (code page 1252).
  EXPECT_EQ(ReadFile(destination + "\\n\\Gr\xfc\xdf"
                                   "e.txt"),
            "hallo\n");
  EXPECT_NE(Log().find("\\unzip\" -o \"" + source + "\\/*.jar\""), std::string::npos) << Log();
}

TEST_F(ExpandJarsTest, AJarPastMaxPathIsSkippedAndTheOthersExpanded) {
  // unzip builds each name that "<source>/*.jar" matches in a MAX_PATH buffer: a jar
  // whose folder and name do not fit is not matched, neither cut nor overrunning it.
  ASSERT_LT(dir_.size(), 150u);
  std::string source = dir_ + "\\" + std::string(199 - dir_.size(), 's');
  ASSERT_TRUE(CreateDirectoryA(source.c_str(), nullptr));
  ASSERT_TRUE(CopyFileA((Jars("two") + "\\a.jar").c_str(), (source + "\\a.jar").c_str(), FALSE));
  std::wstring long_jar = Wide(source + "\\" + std::string(120, 'b') + ".jar");
  ASSERT_TRUE(CopyFileW(Wide(Jars("two") + "\\b.jar").c_str(), long_jar.c_str(), FALSE));
  std::string destination = dir_ + "\\out";
  EXPECT_EQ(Expand(source, destination), 0);
  // RemoveTestTree's ANSI calls cannot remove it.
  EXPECT_TRUE(DeleteFileW(long_jar.c_str()));
  EXPECT_EQ(ReadFile(destination + "\\a\\one.txt"), "one\n");
  EXPECT_EQ(ReadFile(destination + "\\shared.txt"), "from a\n");
  EXPECT_FALSE(Exists(destination + "\\b"));
  EXPECT_EQ(shown_, "");
}

TEST_F(ExpandJarsTest, AnExistingSourceThatFailsLogsOnlyTheCommand) {
  for (const char* name : {"no jars", "damaged"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Expand(Jars(name), dir_ + "\\out"), -1);
    EXPECT_EQ(shown_, "");
    EXPECT_EQ(Log().find("UNZIP-FAILED"), std::string::npos);
    EXPECT_NE(Log().find("\nCOMMAND: \"" + launcher_dir_ + "\\unzip\" -qqqo \"" + Jars(name)),
              std::string::npos);
  }
  // Nor is a missing unzip.exe reported while the source is there.
  ASSERT_TRUE(DeleteFileA((launcher_dir_ + "\\unzip.exe").c_str()));
  EXPECT_EQ(Expand(Jars("two"), dir_ + "\\out"), -1);
  EXPECT_EQ(shown_, "");
  EXPECT_FALSE(Exists(dir_ + "\\out\\a"));
}

TEST_F(ExpandJarsTest, AMissingSourceIsReportedInTheLogAndToTheUser) {
  std::string source = dir_ + "\\stage\\Components\\velmor.swd.tav\\1\\1\\DataFiles";
  EXPECT_EQ(Expand(source, dir_ + "\\out"), -1);
  std::string command =
      "\"" + launcher_dir_ + "\\unzip\" -qqqo \"" + source + "/*.jar\" -d \"" + dir_ + "\\out\" ";
  EXPECT_EQ(Log(), "\nCOMMAND: " + command + "\nUNZIP-FAILED[" + source + "]\n");
  // Formatted texts are cut at 1023 characters.
  EXPECT_EQ(shown_, ("LOCAL-UNZIP-FAILED[" + source + "]" + kPad).substr(0, 1023));
}

TEST(GetFreeDiskKB, IsWhatTheVolumeLeavesTheUser) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  ULARGE_INTEGER before = {}, after = {}, total = {}, total_free = {};
  ASSERT_TRUE(GetDiskFreeSpaceExA(temp, &before, &total, &total_free));
  std::uint64_t kb = GetFreeDiskKB(temp);
  ASSERT_TRUE(GetDiskFreeSpaceExA(temp, &after, &total, &total_free));
  // Other programs may write meanwhile: the figure lies between the two readings.
  std::uint64_t low = std::min(before.QuadPart, after.QuadPart) >> 10;
  std::uint64_t high = std::max(before.QuadPart, after.QuadPart) >> 10;
  EXPECT_GE(kb, low);
  EXPECT_LE(kb, high);
  EXPECT_GT(kb, 0u);
}

TEST(GetFreeDiskKB, FallsBackToTheRootAndGivesZeroWithoutOne) {
  // A directory that does not exist fails the first query; its root answers the second.
  std::uint64_t root_kb = GetFreeDiskKB("C:\\");
  std::uint64_t missing_kb = GetFreeDiskKB("C:\\no such directory\\VelInstall7");
  EXPECT_GT(missing_kb, 0u);
  EXPECT_LE(missing_kb, root_kb + (1u << 20));
  DWORD drives = GetLogicalDrives();
  char letter = 'Q';
  while (letter > 'D' && (drives & (1u << (letter - 'A')))) --letter;
  ASSERT_FALSE(drives & (1u << (letter - 'A'))) << "every drive letter is in use";
  EXPECT_EQ(GetFreeDiskKB(std::string(1, letter) + ":\\VelInstall7"), 0u);
}

}  // namespace
