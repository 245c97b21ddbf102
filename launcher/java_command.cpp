#include "launcher/java_command.h"

#include <cctype>
#include <cstddef>

#include "launcher/class_path.h"
#include "launcher/launch_settings.h"
#include "launcher/main_class.h"
#include "launcher/option_table.h"
#include "messages/run_flags.h"
#include "params/component_table.h"
#include "params/parameter_settings.h"
#include "platform/path_join.h"
#include "platform/quoted_path.h"

namespace {

// A value that is not a path, in double quotes. Paths go through QuotedPath, so that a
// trailing backslash never escapes the closing quote.
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool StartsWithHttp(const std::string& text) {
  static const char kScheme[] = "http://";
  if (text.size() < 8) return false;
  for (std::size_t i = 0; i < 7; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != kScheme[i]) return false;
  }
  return true;
}

// A drive path ("D:\\x", "D:x") or a UNC or root path ("\\\\s\\x", "\\x").
bool IsAbsolutePath(const std::string& path) {
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

// The installer core seen from the launcher directory: "..", the usual installed-home
// value, is taken relative to it; an absolute location, such as the launcher directory
// itself (the default), stands as it is.
std::string CoreLocationFrom(const std::string& launcher_dir, const std::string& core) {
  return IsAbsolutePath(core) ? core : JoinPath(launcher_dir, core);
}

// The blank-separated words of `text`.
std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) words.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return words;
}

ClassPathInputs ClassPathFor(const ParameterSettings& params, const JavaCommandInputs& in,
                             bool bootstrap) {
  ClassPathInputs cp;
  cp.scratch_path = in.scratch_path;
  cp.ext_jar_directory =
      ExtensionJarDirectory(bootstrap, params.ext_jlib, in.scratch_path, in.startup_dir);
  if (!cp.ext_jar_directory.empty()) cp.ext_jar_files = in.ext_jar_files;
  cp.addto_classpath = params.addto_classpath;
  // Appended as the location stands, trailing backslash and all, as the installer has
  // always been given it.
  for (const ComponentInfo& component : kComponents) {
    cp.jlib[static_cast<std::size_t>(component.component)] =
        params.locations.*component.location + "\\jlib";
  }
  return cp;
}

// Everything before the main class: the program, the properties, the options and the
// class path. The one-click installer gets it twice.
std::vector<std::string> JavaInvocation(const LaunchSettings& launch,
                                        const ParameterSettings& params,
                                        const JavaCommandInputs& in,
                                        const std::string& program_path) {
  bool bootstrap = IsFlagOn(params.bootstrap);
  std::vector<std::string> e;
  e.push_back(QuotedPath(program_path) + " ");
  if (!params.jre_osdparam.empty()) e.push_back(params.jre_osdparam);
  e.push_back("-Dvelmor.installer.library_loc=" +
              QuotedPath(params.locations.tav_core + "\\lib\\win64"));
  e.push_back("-Dvelmor.installer.tav_loc=" +
              QuotedPath(bootstrap ? StagedComponentPath(in.scratch_path, Component::kInstaller)
                                   : CoreLocationFrom(in.launcher_dir, params.locations.tav_core)));
  e.push_back(std::string("-Dvelmor.installer.bootstrap=") + (bootstrap ? "TRUE" : "FALSE"));
  e.push_back("-Dvelmor.installer.startup_location=" +
              QuotedPath(StartupLocation(launch, in.startup_dir)));
  e.push_back("-Dvelmor.installer.jre_loc=" +
              QuotedPath(params.distribution_mode ? params.locations.jre : "..\\..\\jre"));
  if (params.locations.jre_external) e.push_back("-Dvelmor.installer.extjre=\"true\" ");
  if (params.copy_threads != "0") {
    e.push_back("-Dvelmor.installer.copythreads=" + params.copy_threads + " ");
  }
  e.push_back("-Dvelmor.installer.exec_location=" + QuotedPath(launch.execution_location) + " ");
  e.push_back("-Dvelmor.installer.nlsEnabled=" + Quoted(in.nls_enabled) + " ");
  e.push_back("-Dvelmor.installer.prereqConfigLoc=" + QuotedPath(params.locations.prereq_config) +
              " ");
  e.push_back(std::string());
  if (launch.has_java_options) e.push_back(launch.java_options);
  if (!launch.memory_given_by_java_option) {
    for (std::string& word : SplitWords(params.jre_memory_options)) e.push_back(std::move(word));
  }
  if (launch.memory) e.push_back("-verbose:gc");
  e.push_back("-cp");
  e.push_back(BuildClassPath(ClassPathFor(params, in, bootstrap)));
  return e;
}

}  // namespace

const char* JavaProgramName(const LaunchSettings& launch) {
  // A silent run has no window of its own to show: its console is the one place it
  // reports, unless there is to be none.
  bool console = g_run_flags.silent && !g_run_flags.no_console;
  for (std::size_t r = 0; r < kOptionCount; ++r) {
    console = console || (kOptionTable[r].java_console && IsOptionSet(kOptionTable[r], launch));
  }
  return console ? "java.exe" : "javaw.exe";
}

std::string JavaProgramPath(const std::string& jre_location, const char* program) {
  std::string bin = jre_location.empty() ? std::string("bin") : JoinPath(jre_location, "bin");
  return JoinPath(bin, program);
}

std::string StartupLocation(const LaunchSettings& launch, const std::string& startup_dir) {
  if (!launch.startup_location_given) return startup_dir;
  std::string location = launch.startup_location;
  if (!location.empty() && location.back() == '"') {
    location.pop_back();
    if (!location.empty() && location.front() == '"') location.erase(0, 1);
  }
  return location;
}

std::string ResolveSource(const std::string& source, const std::string& startup_dir) {
  if (StartsWithHttp(source)) return source;
  return JoinPath(startup_dir, source);
}

std::vector<std::string> PassThroughArguments(const std::vector<std::string>& arguments) {
  std::vector<std::string> kept;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a == "-rstartupLoc" || a == "-rscratchPath" || a == "-rtimestamp") {
      ++i;  // the option's value goes with it
    } else if (a != "-nobootStrap") {
      kept.push_back(a);
    }
  }
  return kept;
}

JavaCommand BuildJavaCommand(const LaunchSettings& launch, const ParameterSettings& params,
                             const JavaCommandInputs& in) {
  JavaCommand command;
  command.program_path = JavaProgramPath(params.locations.jre, JavaProgramName(launch));
  std::vector<std::string> invocation = JavaInvocation(launch, params, in, command.program_path);

  std::vector<std::string>& e = command.elements;
  e = invocation;
  e.push_back(ChooseMainClass(launch, params).main_class);
  if (launch.one_click && !g_run_flags.silent) {
    // The one-click installer is handed the full command of the regular installer.
    e.insert(e.end(), invocation.begin(), invocation.end());
    e.push_back(kInstallerClass);
  }
  e.push_back("-scratchPath");
  e.push_back(QuotedPath(in.scratch_path) + " ");
  if (!in.source.empty()) {
    e.push_back("-sourceLoc");
    e.push_back(QuotedPath(ResolveSource(in.source, in.startup_dir)) + " ");
  }
  e.push_back("-sourceType");
  e.push_back("network");
  e.push_back("-timestamp");
  e.push_back(launch.timestamp);
  if (launch.add_node) {
    e.push_back("-silent");
    command.sets_silent = true;
  }
  for (std::string& argument : PassThroughArguments(in.arguments)) e.push_back(std::move(argument));
  return command;
}
