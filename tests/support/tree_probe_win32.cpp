// tree_probe count ROOT | remove ROOT | copy SOURCE DESTINATION: runs one tree walk and
// prints its result ("count: N", "remove: 0", "copy: 0" or "copy: -1 <what failed>"), so
// the end-to-end tests can walk trees holding links made from the unix side.
// tree_probe rename FROM TO: renames as another Windows program of the user's would, and
// prints "rename: 0" or "rename: <error>".
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/windows_prelude.h"
#include "staging/tree_walk.h"

int main(int argc, char** argv) {
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
        "usage: tree_probe count ROOT | remove ROOT | copy SOURCE DESTINATION | rename FROM TO\n",
        stderr);
    return 2;
  }
  return 0;
}
