// The entry point: a GUI-subsystem program that gets its command line as one raw string.
#include <string>
#include <vector>

#include "launcher/dll_search.h"
#include "launcher/launch_sequence.h"
#include "launcher/launch_system_win32.h"
#include "launcher/redirection_trust_win32.h"
#include "platform/medium_seal.h"
#include "platform/module_path_win32.h"
#include "platform/windows_prelude.h"

// The medium's seal (platform/medium_seal.h) in a section of its own: zero as built, so
// that two builds stay the same; sealing a medium fills it in the file, in place.
__attribute__((section(".velseal"), used)) volatile unsigned char g_medium_seal[kSealSize] = {};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  // Before anything can load a DLL: media run from download folders full of other files.
  RestrictDllSearch();
  // Before the first write into TEMP; where the system lacks the policy, go on without.
  EnforceRedirectionTrust();

  // A path that cannot be read whole stays empty: the launch refuses it.
  std::string module;
  GetModulePath(&module);

  std::vector<std::string> arguments = {module, command_line != nullptr ? command_line : ""};
  // Read from the image in memory: the file on disk could have been changed by now.
  SealBytes seal;
  for (std::size_t i = 0; i < seal.size(); ++i) seal[i] = g_medium_seal[i];
  WindowsLaunchSystem system(seal);
  return RunLaunchSequence(&arguments, system);
}
