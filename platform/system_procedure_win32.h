// Functions of the window system's DLLs (user32.dll, gdi32.dll), looked up on first use.
//
// A launch that shows no window never needs them, and under Wine loading user32 starts
// the whole window system: a third of a silent launch's own time and a third of its
// memory. So they are not imported; the few calls that need them load the DLL from the
// system directory when they are made.
#ifndef PLATFORM_SYSTEM_PROCEDURE_WIN32_H_
#define PLATFORM_SYSTEM_PROCEDURE_WIN32_H_

#include "platform/windows_prelude.h"

// The function `name` of the system DLL `dll` ("user32.dll"), loading the DLL from the
// system directory when it is not loaded yet; null when either cannot be found.
template <typename Function>
Function SystemProcedure(const char* dll, const char* name) {
  HMODULE module = GetModuleHandleA(dll);
  if (module == nullptr) module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

#endif  // PLATFORM_SYSTEM_PROCEDURE_WIN32_H_
