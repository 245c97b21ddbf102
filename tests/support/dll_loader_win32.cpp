// dll_loader [--restricted] NAME
//
// Loads the DLL NAME by name the way a program would, optionally after restricting
// the search as setup.exe does. Exits 0 when it loaded, 1 when it did not. Shows that
// a planted DLL is picked up without the restriction, so its absence means something.
#include <cstring>

#include "launcher/dll_search.h"
#include "platform/windows_prelude.h"

int main(int argc, char** argv) {
  bool restricted = argc == 3 && std::strcmp(argv[1], "--restricted") == 0;
  if (argc != (restricted ? 3 : 2)) return 2;
  if (restricted && !RestrictDllSearch()) return 3;
  return LoadLibraryA(argv[argc - 1]) != nullptr ? 0 : 1;
}
