// Builds the Java command from arbitrary command lines and parameter values.
//
// The input is split at NUL bytes: the command line, then JRE_MEMORY_OPTIONS,
// ADDTO_CLASSPATH, SOURCE, COPY_THREADS, the JRE location and BOOTSTRAP.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "launcher/java_command.h"
#include "launcher/launch_settings.h"
#include "launcher/options.h"
#include "params/parameter_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> parts(7);
  std::size_t part = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      if (++part == parts.size()) break;
    } else {
      parts[part] += static_cast<char>(data[i]);
    }
  }
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
  inputs.jre_location = parts[5];
  params.bootstrap = parts[6];
  inputs.scratch_path = "C:\\TEMP\\VelInstallT";
  inputs.startup_dir = "C:\\media";
  inputs.launcher_dir = "C:\\media";
  inputs.ext_jar_files = {"x.jar"};

  JavaCommand command = BuildJavaCommand(launch, params, inputs);
  const std::vector<std::string>& e = command.elements;
  // The program comes first, quoted with its blank, and the user's line comes last.
  if (e.size() < 19 || e[0] != "\"" + command.program_path + "\" ") __builtin_trap();
  std::vector<std::string> passed = PassThroughArguments(inputs.arguments);
  if (!passed.empty() && e.back() != passed.back()) __builtin_trap();
  return 0;
}
