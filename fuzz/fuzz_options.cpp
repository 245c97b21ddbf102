// Feeds arbitrary command lines to option recognition.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/launch_settings.h"
#include "launcher/options.h"
#include "messages/run_flags.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string command_line(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> elements = {"C:\\media\\setup.exe", command_line};
  g_run_flags = RunFlags();
  LaunchSettings settings;
  ParseOptions(&elements, &settings);
  // The Java options are cut off the argument, never added to it.
  if (elements[1].size() > command_line.size()) __builtin_trap();
  return 0;
}
