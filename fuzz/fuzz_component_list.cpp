// Feeds arbitrary BOOTSTRAP_COMPS lists and paths to the component list and the unzip
// command: entries are the input's lines, the first line also serves as the paths.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "staging/component_list.h"
#include "staging/unzip_command.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> entries;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    entries.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (bool bootstrap_only : {false, true}) {
    ComponentSelection selection = SelectComponents(entries, bootstrap_only);
    // Every component expanded at once came from an entry with a version.
    if (selection.expand_now.size() > entries.size()) __builtin_trap();
    for (const ComponentEntry& component : selection.expand_now) {
      if (component.version.empty() || component.version.find(':') != std::string::npos ||
          component.id.find(':') != std::string::npos) {
        __builtin_trap();
      }
    }
  }
  const std::string& path = entries[0];
  std::string quotable = QuotableDirectory(path);
  // A quoted destination never ends in an odd run of backslashes, which would escape
  // its closing quote.
  std::size_t run = 0;
  while (run < quotable.size() && quotable[quotable.size() - 1 - run] == '\\') ++run;
  if (run % 2 != 0) __builtin_trap();
  std::string command = UnzipCommandLine(path, path, path, size % 2 == 0);
  if (command.empty() || command.back() != ' ') __builtin_trap();
  return 0;
}
