#include "launcher/dll_search.h"

#include "platform/windows_prelude.h"

bool RestrictDllSearch() {
  // Looked up at run time: importing it would stop the launcher from starting where the
  // call does not exist.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  if (kernel32 == nullptr) return false;
  auto set_directories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
  if (set_directories == nullptr) return false;
  return set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}
