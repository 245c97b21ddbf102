// The entry point: a GUI-subsystem program that gets its command line as one raw string.
#include <string>
#include <vector>

#include "launcher/dll_search.h"
#include "launcher/launch_sequence.h"
#include "launcher/launch_settings.h"
#include "platform/windows_prelude.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  // Before anything can load a DLL: media run from download folders full of other files.
  RestrictDllSearch();

  char module[1025] = "";
  DWORD length = GetModuleFileNameA(nullptr, module, 1024);
  module[length < 1024 ? length : 1024] = '\0';
  g_launch_settings.execution_location = module;

  std::vector<std::string> arguments = {module, command_line != nullptr ? command_line : ""};
  return RunLaunchSequence(&arguments);
}
