// tree_probe count ROOT | remove ROOT | copy SOURCE DESTINATION: runs one tree walk and
// prints its result ("count: N", "remove: 0", "copy: 0" or "copy: -1 <what failed>"), so
// the end-to-end tests can walk trees holding links made from the unix side.
// tree_probe rename FROM TO: renames as another Windows program of the user's would, and
// prints "rename: 0" or "rename: <error>".
// tree_probe hold FILE READY UNTIL: opens FILE without sharing it, as an on-access
// scanner does, writes the file READY, and keeps FILE open for UNTIL milliseconds, or,
// when UNTIL is not a number, until a file of that name appears; then closes it and
// writes READY.closed.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/windows_prelude.h"
#include "staging/tree_walk.h"

namespace {

void WriteMark(const std::string& path) {
  if (std::FILE* mark = std::fopen(path.c_str(), "w")) std::fclose(mark);
}

int Hold(const char* file, const std::string& ready, const char* until) {
  HANDLE held = CreateFileA(file, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (held == INVALID_HANDLE_VALUE) {
    std::printf("hold: %lu\n", static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  WriteMark(ready);
  if (std::isdigit(static_cast<unsigned char>(until[0]))) {
    Sleep(static_cast<DWORD>(std::strtoul(until, nullptr, 10)));
  } else {
    while (GetFileAttributesA(until) == INVALID_FILE_ATTRIBUTES) Sleep(20);
  }
  CloseHandle(held);
  WriteMark(ready + ".closed");
  std::printf("hold: 0\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "hold") == 0) return Hold(argv[2], argv[3], argv[4]);
  if (argc == 3 && std::strcmp(argv[1], "count") == 0) {
    std::printf("count: %d\n", CountFiles(argv[2]));
  } else if (argc == 3 && std::strcmp(argv[1], "remove") == 0) {
    std::printf("remove: %d\n", RemoveTree(argv[2]));
  } else if (argc == 4 && std::strcmp(argv[1], "copy") == 0) {
    std::string failed;
    int result = CopyTree(argv[2], argv[3], &failed);
    std::printf("copy: %d%s%s\n", result, failed.empty() ? "" : " ", failed.c_str());
  } else if (argc == 4 && std::strcmp(argv[1], "rename") == 0) {
    bool renamed = MoveFileExA(argv[2], argv[3], 0) != FALSE;
    std::printf("rename: %lu\n", renamed ? 0UL : static_cast<unsigned long>(GetLastError()));
  } else {
    std::fputs(
        "usage: tree_probe count ROOT | remove ROOT | copy SOURCE DESTINATION | rename FROM TO"
        " | hold FILE READY UNTIL\n",
        stderr);
    return 2;
  }
  return 0;
}
