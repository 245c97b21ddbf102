// Builds the Java command from arbitrary command lines and parameter values.
//
// The input is split at NUL bytes: the command line, then JRE_MEMORY_OPTIONS,
// ADDTO_CLASSPATH, SOURCE, COPY_THREADS, the JRE location, BOOTSTRAP, the scratch path
// and EXT_JLIB. The class path is also built alone, with the values as its directories
// and extension jar names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/class_path.h"
#include "launcher/java_command.h"
#include "launcher/launch_settings.h"
#include "launcher/options.h"
#include "messages/run_flags.h"
#include "params/parameter_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> parts(9);
  std::size_t part = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      if (++part == parts.size()) break;
    } else {
      parts[part] += static_cast<char>(data[i]);
    }
  }
  g_run_flags = RunFlags();
  LaunchSettings launch;
  launch.timestamp = "T";
  JavaCommandInputs inputs;
  inputs.arguments = {"C:\\media\\setup.exe", parts[0]};
  ParseOptions(&inputs.arguments, &launch);
  ParameterSettings params;
  params.jre_memory_options = parts[1];
  params.addto_classpath = parts[2];
  inputs.source = parts[3];
  params.copy_threads = parts[4].empty() ? "0" : parts[4];
  params.locations.jre = parts[5];
  params.bootstrap = parts[6];
  inputs.scratch_path = parts[7].empty() ? "C:\\TEMP\\VelInstallT" : parts[7];
  params.ext_jlib = parts[8];
  inputs.startup_dir = "C:\\media";
  inputs.launcher_dir = "C:\\media";
  inputs.ext_jar_files = {"x.jar"};

  JavaCommand command = BuildJavaCommand(launch, params, inputs);
  const std::vector<std::string>& e = command.elements;
  // The program comes first, quoted with its blank, and the user's line comes last.
  if (e.size() < 19 || e[0] != "\"" + command.program_path + "\" ") __builtin_trap();
  std::vector<std::string> passed = PassThroughArguments(inputs.arguments);
  if (!passed.empty() && e.back() != passed.back()) __builtin_trap();

  // Whatever the names, the class path lists no empty entry (the current directory)
  // and no entry that is only a root ("\\", "/", "X:", "X:\\"), as Java splits it.
  ClassPathInputs cp{inputs.scratch_path,
                     parts[8],
                     {"x.jar", parts[3]},
                     parts[2],
                     {parts[7], parts[6], parts[5], parts[4]}};
  std::string path = BuildClassPath(cp);
  if (path.size() < 2 || path.front() != '"' || path.back() != '"') __builtin_trap();
  path = path.substr(1, path.size() - 2) + ";";
  for (std::size_t start = 0, end; (end = path.find(';', start)) != std::string::npos;
       start = end + 1) {
    std::string entry = path.substr(start, end - start);
    while (!entry.empty() && (entry.back() == '\\' || entry.back() == '/')) entry.pop_back();
    if (entry.empty() || (entry.size() == 2 && entry[1] == ':')) __builtin_trap();
  }
  return 0;
}
