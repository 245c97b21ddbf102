// bench_runner RESULT_FILE COMMAND...: runs each command line in turn, as the launcher's
// own children are run (CreateProcessA, inheriting handles), waits for it and writes one
// line per command to RESULT_FILE: "<seconds> <exit code> <peak working set in KB>". The time
// covers the start, the run and the end of the child, not this runner's own start under Wine.
//
// Wine sets TEMP and TMP from its registry, not from the unix environment, so the
// children's are taken from VEL_CHILD_TEMP and VEL_CHILD_TMP when those are set.
#include <cstdio>
#include <cstdlib>
#include <string>

// clang-format off
#include "platform/windows_prelude.h"
#include <psapi.h>  // needs the types of windows.h
// clang-format on

namespace {

// Runs `command`; false when it cannot be started.
bool RunOne(const char* command, double* seconds, DWORD* code, SIZE_T* peak) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string text = command;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, &text[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  QueryPerformanceCounter(&end);
  *seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  GetExitCodeProcess(process.hProcess, code);
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  *peak = GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)
              ? counters.PeakWorkingSetSize
              : 0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_runner RESULT_FILE COMMAND...\n");
    return 2;
  }
  std::FILE* result = std::fopen(argv[1], "w");
  if (result == nullptr) return 2;
  for (const char* name : {"TEMP", "TMP"}) {
    const char* value = std::getenv((std::string("VEL_CHILD_") + name).c_str());
    if (value != nullptr) SetEnvironmentVariableA(name, value);
  }
  for (int i = 2; i < argc; ++i) {
    double seconds = 0;
    DWORD code = 0;
    SIZE_T peak = 0;
    if (!RunOne(argv[i], &seconds, &code, &peak)) {
      std::fprintf(result, "failed-to-start %lu\n", GetLastError());
      std::fclose(result);
      return 2;
    }
    std::fprintf(result, "%.6f %ld %lu\n", seconds, static_cast<long>(static_cast<LONG>(code)),
                 static_cast<unsigned long>(peak / 1024));
  }
  std::fclose(result);
  return 0;
}
