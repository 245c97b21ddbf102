// minimal_launcher console|noconsole PROGRAM [ARGUMENT...]: the least a launcher must do,
// the yardstick of setup.exe's own overhead. A GUI program that (with "console")
// allocates a console, starts PROGRAM with the arguments through CreateProcessA, waits
// for it and exits with its exit code.
#include <string>

#include "platform/windows_prelude.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 3) return 2;
  if (std::string(__argv[1]) == "console") AllocConsole();
  std::string command = std::string("\"") + __argv[2] + "\"";
  for (int i = 3; i < __argc; ++i) command += std::string(" ") + __argv[i];
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(__argv[2], &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return 3;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}
