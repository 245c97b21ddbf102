// console_probe MODE [ARG]: a GUI program like setup.exe that drives the launcher's
// console and message output, so end-to-end tests can watch them on a pty.
//
//   print-file PATH     ConsolePrint of the file's UTF-8 text
//   repeat N            ConsolePrint of N 'x' characters, then "|end"
//   error-silent TEXT   ShowError in silent mode
//   error-box TEXT      ShowError otherwise (a message box), then "returned"
//   wait-enter          WaitForEnter in silent mode, then "after enter"
//   wait-quiet          WaitForEnter outside silent mode, then "after wait"
//   printf TEXT         printf of TEXT to standard output unflushed, then reads a
//                       character and prints "|read"
//
// Every mode but printf loads the catalogues beside the program and sets up the console
// as setup.exe does.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "launcher/console.h"
#include "messages/catalogue_loader.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  std::string mode = __argv[1];
  std::string arg = __argc > 2 ? __argv[2] : "";
  if (LoadMessageCatalogue() != 0) return 1;
  SetUpConsole();
  SetConsoleOutput(g_system.standard_output());

  if (mode == "print-file") {
    std::ifstream in(arg, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ConsolePrint(text.c_str());
  } else if (mode == "repeat") {
    ConsolePrint(std::string(std::atoi(arg.c_str()), 'x').c_str());
    ConsolePrint("|end");
  } else if (mode == "error-silent") {
    g_run_flags.silent = true;
    ShowError(arg.c_str());
  } else if (mode == "error-box") {
    ShowError(arg.c_str());
    ConsolePrint("returned");
  } else if (mode == "wait-enter") {
    g_run_flags.silent = true;
    WaitForEnter();
    ConsolePrint("after enter");
  } else if (mode == "wait-quiet") {
    WaitForEnter();
    ConsolePrint("after wait");
  } else if (mode == "printf") {
    std::printf("%s", arg.c_str());
    std::getchar();
    std::printf("|read");
  } else {
    return 2;
  }
  return 0;
}
