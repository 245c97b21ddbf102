// exit_code_runner RESULT_FILE PROGRAM [COMMAND_TAIL]
//
// Starts PROGRAM with the command line "PROGRAM COMMAND_TAIL", inheriting this
// process's console and standard handles, waits for it, and writes its full 32-bit
// exit code as a signed decimal to RESULT_FILE (the unix exit status keeps 8 bits).
//
// Wine sets TEMP, TMP and PATH from its registry, not from the unix environment, so the
// child's are taken from VEL_CHILD_TEMP, VEL_CHILD_TMP and VEL_CHILD_PATH when those are
// set; the value "-" unsets the variable.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "platform/windows_prelude.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: exit_code_runner RESULT_FILE PROGRAM [COMMAND_TAIL]\n");
    return 2;
  }
  // Through the wide calls: a TEMP in any script (C:\users\<name in Chinese>) passes whole.
  for (const wchar_t* name : {L"TEMP", L"TMP", L"PATH"}) {
    const wchar_t* value = _wgetenv((std::wstring(L"VEL_CHILD_") + name).c_str());
    if (value != nullptr)
      SetEnvironmentVariableW(name, std::wcscmp(value, L"-") == 0 ? nullptr : value);
  }
  std::string command = std::string("\"") + argv[2] + "\"";
  if (argc == 4) command += std::string(" ") + argv[3];

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(argv[2], &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "exit_code_runner: CreateProcessA failed: %lu\n", GetLastError());
    return 2;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  std::FILE* result = std::fopen(argv[1], "w");
  if (result == nullptr) return 2;
  std::fprintf(result, "%ld\n", static_cast<long>(static_cast<LONG>(code)));
  std::fclose(result);
  return static_cast<int>(code);
}
