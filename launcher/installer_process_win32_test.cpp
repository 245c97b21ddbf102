#include "launcher/installer_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "launcher/launch_settings.h"
#include "launcher/options.h"
#include "messages/installer_log.h"
#include "messages/message_map.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"
#include "tests/support/log_file_session.h"

namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

// The Java stand-in built beside the tests.
std::string StandInPath() {
  char module[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string path(module, length);
  return path.substr(0, path.rfind('\\')) + "\\test-support\\java_stand_in.exe";
}

std::string ReadFile(const std::string& path,
                     std::ios::openmode mode = std::ios::in | std::ios::binary) {
  std::ifstream in(path, mode);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Waits for a file that another process writes when something has happened; false when
// it has not appeared within a minute.
bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 6000; ++i) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(10);
  }
  return false;
}

class ChildProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_run_flags.silent = true;
    // Console text too long to convert goes to standard output, where it is captured.
    SetConsoleOutput(GetStdHandle(STD_OUTPUT_HANDLE));
    g_message_maps.local = CreateMessageMap();
    g_message_maps.base = CreateMessageMap();
    const std::string pad(1100, '.');
    MessageMapPut(g_message_maps.local, "S_ERGOSLST", "ERGOSLST[%s:%d]" + pad);
    MessageMapPut(g_message_maps.local, "S_ENTER_ENTER", "ENTER" + pad);
    MessageMapPut(g_message_maps.local, "S_TOTAL_ARGS", "TOTAL[%d]" + pad);
    MessageMapPut(g_message_maps.local, "S_CMDLINE_ARG_ELTS", "ELTS" + pad);
    MessageMapPut(g_message_maps.local, "S_JVMLOADMSG", "LOAD[%s]" + pad);
    MessageMapPut(g_message_maps.base, "S_TOTAL_ARGS", "Total %d\n");
    MessageMapPut(g_message_maps.base, "S_CMDLINE_ARG_ELTS", "Elements:\n");
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    report_ = std::string(temp) + "vel_child_report_" + std::to_string(GetCurrentProcessId());
    SetEnvironmentVariableA("VEL_JAVA_REPORT", report_.c_str());
  }
  void TearDown() override {
    for (const char* name : {"VEL_JAVA_REPORT", "VEL_JAVA_EXIT_CODE", "VEL_JAVA_HOLD_FILE",
                             "VEL_JAVA_DONE_FILE", "VEL_JAVA_WHERE_REPORT"}) {
      SetEnvironmentVariableA(name, nullptr);
    }
    for (const std::string& file : {report_, Sibling("hold"), Sibling("done"), Sibling("where")}) {
      DeleteFileA(file.c_str());
    }
    SetConsoleOutput(nullptr);
    g_run_flags = RunFlags();
    g_installer_log = InstallerLog();
    FreeMessageMaps();
  }
  // A file beside the report, for the stand-in to wait for or to write.
  std::string Sibling(const char* name) const { return report_ + "." + name; }
  std::vector<std::string> Command() const {
    return {"\"" + StandInPath() + "\" ", "-Dp=\"a b\"", "", "main.Class"};
  }

  std::string report_;
};

TEST_F(ChildProcessTest, WaitedForChildGivesItsExitCodeAndGetsEveryElementWithOneBlank) {
  SetEnvironmentVariableA("VEL_JAVA_EXIT_CODE", "3");
  bool still_running = true;
  EXPECT_EQ(RunInstallerProcess(StandInPath(), Command(), true, &still_running), 3);
  EXPECT_FALSE(still_running);
  EXPECT_EQ(ReadFile(report_), "\"" + StandInPath() + "\"  -Dp=\"a b\"  main.Class ");
}

TEST_F(ChildProcessTest, ChildNotWaitedForIsStillActive) {
  // Held until the test lets it go, so it is certainly running when the launcher returns.
  SetEnvironmentVariableA("VEL_JAVA_HOLD_FILE", Sibling("hold").c_str());
  SetEnvironmentVariableA("VEL_JAVA_DONE_FILE", Sibling("done").c_str());
  bool still_running = false;
  EXPECT_EQ(RunInstallerProcess(StandInPath(), Command(), false, &still_running), 259);
  EXPECT_TRUE(still_running);
  std::ofstream(Sibling("hold")).close();
  // Let the child end before the next test.
  EXPECT_TRUE(WaitForFile(Sibling("done")));
}

TEST_F(ChildProcessTest, RejectedProgramReportsTheSystemErrorAndPauses) {
  std::FILE* saved_stdin = std::freopen("NUL", "r", stdin);
  ASSERT_NE(saved_stdin, nullptr);
  CaptureStdout();
  int status = RunInstallerProcess("C:\\no\\such\\dir\\java.exe",
                                   {"\"C:\\no\\such\\dir\\java.exe\" ", "main.Class"}, true);
  std::string shown = GetCapturedStdout();
  EXPECT_TRUE(status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) << status;
  std::string report = "ERGOSLST[CreateTAVProcess():" + std::to_string(status) + "]";
  EXPECT_EQ(shown.rfind(report, 0), 0u) << shown.substr(0, 60);
  EXPECT_NE(shown.find("ENTER"), std::string::npos);
}

// The short lines of the echo need a real console (the end-to-end tests run one); here
// the texts too long to convert show on standard output.
TEST_F(ChildProcessTest, CommandTooLongForTheSystemIsRefusedWithItsErrorCode) {
  std::FILE* saved_stdin = std::freopen("NUL", "r", stdin);
  ASSERT_NE(saved_stdin, nullptr);
  std::vector<std::string> command = Command();
  for (int i = 0; i < 40; ++i) command.push_back("-Xopt" + std::string(1000, 'x'));
  CaptureStdout();
  int status = RunInstallerProcess(StandInPath(), command, true);
  std::string shown = GetCapturedStdout();
  EXPECT_NE(status, 0);
  EXPECT_EQ(shown.rfind("ERGOSLST[CreateTAVProcess():" + std::to_string(status) + "]", 0), 0u)
      << shown.substr(0, 60);
  EXPECT_EQ(ReadFile(report_), "");  // the stand-in never ran
}

TEST_F(ChildProcessTest, DebugEchoesTheElementsOnTheConsoleAndInTheLog) {
  g_run_flags.debug = true;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  // The launch's log, in TEMP: the list goes into it as its other lines do.
  std::string log_path =
      std::string(temp) + "vel_child_log_" + std::to_string(GetCurrentProcessId()) + ".log";
  std::ofstream(log_path) << "before\n";
  LogFileSession log(log_path);
  std::vector<std::string> command = Command();
  command[2] = "-Dlong=" + std::string(1100, 'x');
  CaptureStdout();
  EXPECT_EQ(RunInstallerProcess(StandInPath(), command, true), 0);
  std::string shown = GetCapturedStdout();
  std::string::size_type total = shown.find("TOTAL[4]");
  std::string::size_type elements = shown.find("ELTS", total);
  std::string::size_type long_arg = shown.find("Arg:2:" + command[2] + ":\n", elements);
  std::string::size_type load = shown.find("LOAD[" + command[0] + "]", long_arg);
  EXPECT_NE(total, std::string::npos);
  EXPECT_NE(elements, std::string::npos);
  EXPECT_NE(long_arg, std::string::npos);
  EXPECT_NE(load, std::string::npos);
  // The log is a text file: its line ends are CR LF on disk.
  EXPECT_EQ(ReadFile(log_path, std::ios::in), "before\n\nTotal 4\nElements:\n" + command[0] +
                                                  "\n-Dp=\"a b\"\n" + command[2] +
                                                  "\nmain.Class\n\n");
  DeleteFileA(log_path.c_str());
}

// A window of the waiting thread, to which another thread sends a message.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) {
    *reinterpret_cast<bool*>(GetWindowLongPtrA(window, GWLP_USERDATA)) = true;
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

struct Poker {
  DWORD waiting_thread;
  HWND window;
  std::string started_file, hold_file;
};

// Once the child runs, and the launcher therefore waits: a WM_QUIT that must not end the
// wait, a sent message that must be answered during it, then the child's release.
DWORD WINAPI PostQuitThenSend(void* context) {
  Poker* poker = static_cast<Poker*>(context);
  WaitForFile(poker->started_file);
  PostThreadMessageA(poker->waiting_thread, WM_QUIT, 0, 0);
  SendMessageA(poker->window, WM_APP, 0, 0);
  std::ofstream(poker->hold_file).close();
  return 0;
}

TEST_F(ChildProcessTest, WaitAnswersSentMessagesAndDropsWmQuit) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = RecordingProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "VelWaitTest";
  RegisterClassA(&window_class);
  HWND window = CreateWindowA("VelWaitTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              window_class.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  bool received = false;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received));

  SetEnvironmentVariableA("VEL_JAVA_WHERE_REPORT", Sibling("where").c_str());
  SetEnvironmentVariableA("VEL_JAVA_HOLD_FILE", Sibling("hold").c_str());
  SetEnvironmentVariableA("VEL_JAVA_EXIT_CODE", "5");
  Poker poker = {GetCurrentThreadId(), window, Sibling("where"), Sibling("hold")};
  HANDLE thread = CreateThread(nullptr, 0, PostQuitThenSend, &poker, 0, nullptr);
  // The child is released only after the WM_QUIT and the sent message: a wait ended by
  // either would find it still running (259).
  EXPECT_EQ(RunInstallerProcess(StandInPath(), Command(), true), 5);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_TRUE(received);
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  DestroyWindow(window);
}

// The process is created with the elements joined as the launcher joins its arguments.
TEST(JoinArguments, KeepsEmptyElementsAndTheirOwnBlanks) {
  EXPECT_EQ(JoinArguments({"\"j.exe\" ", "", "-cp", "x"}), "\"j.exe\"   -cp x ");
  EXPECT_EQ(JoinArguments({}), "");
}

}  // namespace
