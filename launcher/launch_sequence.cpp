// The launch sequence: the launcher's main routine, whose result is the exit code.
//
// The phases run in a fixed order: messages, options, console, parameter file, mode
// checks, prerequisite run, directory discovery, staging, the Java command, the
// environment checks, the launch and the clean-up. A failed parameter-file phase is
// acted on only after the prerequisite run, so the start message and the checks come
// first. The installer receives the scratch directory; when the launcher waits for the
// installer it removes the directory afterwards, otherwise the installer owns it.
#include "launcher/launch_sequence.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "javart/java_runtime.h"
#include "launcher/class_path.h"
#include "launcher/exit_codes.h"
#include "launcher/java_command.h"
#include "launcher/launch_rules.h"
#include "launcher/launch_settings.h"
#include "launcher/launch_system.h"
#include "launcher/main_class.h"
#include "launcher/option_table.h"
#include "launcher/options.h"
#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/log_location.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "params/component_table.h"
#include "params/parameter_file.h"
#include "params/parameter_keys.h"
#include "params/parameter_search.h"
#include "params/parameter_settings.h"
#include "platform/ensure_directory.h"
#include "platform/full_path.h"
#include "platform/path_exists.h"
#include "platform/path_join.h"
#include "platform/sealed_medium.h"
#include "platform/system_calls.h"
#include "platform/system_text.h"
#include "prereq/prereq_run.h"
#include "staging/component_staging.h"

namespace {

// The working state of one launch.
struct Launch {
  explicit Launch(LaunchSystemInterface& system) : system(system) {}
  LaunchSystemInterface& system;
  LaunchSettings settings;
  std::vector<std::string>* arguments = nullptr;
  ParameterSettings params;
  std::string startup_dir;
  std::string scratch_path;
  bool scratch_made = false;
  // TEMP as the scratch directory was made in it (the parent of the path its hold
  // pinned), else as the environment names it.
  std::string temp_dir;
  std::string launcher_dir;
  int bootstrap_megabytes = 0;
  bool wait = false;
  // The installer log, open from the first group of its lines to the launch's end.
  InstallerLogSession log;
};

// The one place the process's working directory changes: to the startup directory once
// velparam.ini is found (relative locations of the medium mean that directory from then
// on), and to TEMP before a staged installer starts (so that it runs off the medium).
void MoveWorkingDirectory(Launch* l, const std::string& directory) {
  l->system.ChangeDirectory(directory);
  // A relative log directory names another file from here.
  l->log.Retarget();
}

// Ends the launch with this exit code when set.
struct Outcome {
  bool ends = false;
  int code = 0;
};
Outcome EndWith(int code) { return {true, code}; }

// Where the scratch directory went, for whoever reads the installer log, when TEMP was
// unusable and another temporary directory was taken instead.
void LogScratchDirectory(const std::string& scratch_path) {
  WriteLog(
      BaseText(msg::S_SCRATCH_DIR_CREATED, SystemTextToUtf8(scratch_path.c_str()).c_str()).c_str());
}

ParameterOverrides MakeParameterOverrides(const LaunchSettings& s) {
  ParameterOverrides overrides;
  overrides.jre_location_given = s.jre_location_given;
  overrides.prereq_config_location = s.prereq_config_location;
  overrides.prereq_config_from_source = s.prereq_config_from_source;
  return overrides;
}

// A sealed medium found not as sealed: the launch stops before anything of the medium
// runs, naming the file. The catalogues may be what broke the seal, and then none was
// read: the text is the launcher's own.
bool IsSealBroken() { return g_sealed_medium != nullptr && g_sealed_medium->broken(); }

Outcome CheckSeal() {
  if (!IsSealBroken()) return {};
  std::string file = SystemTextToUtf8(g_sealed_medium->broken_file().c_str());
  const char* key = msg::S_ERR_SEAL_BROKEN.name;
  if (std::string(LocalMessage(msg::S_ERR_SEAL_BROKEN)) == key) {
    ShowError(
        FormatText("\nERROR: This medium is sealed, and %s is missing, changed or not in its\n"
                   "list of files. Nothing was started from the medium.\n",
                   file.c_str())
            .c_str());
  } else {
    ShowError(LocalText(msg::S_ERR_SEAL_BROKEN, file.c_str()).c_str());
  }
  WriteLog(std::string(BaseMessage(msg::S_ERR_SEAL_BROKEN)) == key
               ? ("Sealed medium not as sealed: " + file).c_str()
               : BaseText(msg::S_ERR_SEAL_BROKEN, file.c_str()).c_str());
  return EndWith(kExitSealBroken);
}

// On a sealed medium every component runs from its copy in the scratch directory: what
// runs from the medium itself, no seal covers. A runtime named outside the medium (on
// the command line, or at the prompt) is the user's own.
Outcome CheckNothingInPlace(const Launch& l) {
  if (g_sealed_medium == nullptr || g_run_flags.bootstrap_only) return {};
  const ComponentLocations& loc = l.params.locations;
  std::string in_place;
  if (!IsFlagOn(l.params.bootstrap) || l.settings.no_bootstrap) {
    in_place = l.startup_dir;
  } else {
    std::string scratch = l.scratch_path;
    GetFullPath(l.scratch_path, &scratch);
    for (const ComponentInfo& component : kComponents) {
      if (component.component == Component::kRuntime && loc.jre_external) continue;
      const std::string& location = loc.*component.location;
      std::string full;
      if (location.empty() || !GetFullPath(location, &full)) continue;
      if (!IsWithinDirectory(scratch, full)) {
        in_place = full;
        break;
      }
    }
  }
  if (in_place.empty()) return {};
  std::string text = SystemTextToUtf8(in_place.c_str());
  ShowError(LocalText(msg::S_ERR_SEAL_IN_PLACE, text.c_str()).c_str());
  WriteLog(BaseText(msg::S_ERR_SEAL_IN_PLACE, text.c_str()).c_str());
  return EndWith(kExitSealBroken);
}

// What finding the parameter file came to, as the launch's exit code: 0 to go on.
int ParameterFileExitCode(ParameterFileStatus status) {
  switch (status) {
    case ParameterFileStatus::kRead:
      return 0;
    case ParameterFileStatus::kNotFound:
      return kExitNoParameterFile;
  }
  return kExitRefused;
}

// The main class decides whether the mode stages and whether it may run from a
// distribution medium; the Prerequisite Checker needs its configuration.
Outcome CheckMode(Launch* l) {
  ModeChoice mode = ChooseMainClass(l->settings, l->params);
  if (mode.forcing == BootstrapForcing::kAlways) l->params.bootstrap = "F";
  if (mode.forcing == BootstrapForcing::kUnlessDistribution && l->params.distribution == "F") {
    l->params.bootstrap = "F";
  }
  if (mode.refuses_distribution && IsFlagOn(l->params.distribution)) {
    ShowError(
        LocalText(msg::S_ERRORINVOKINGFROMCD, l->settings.last_element_upper.c_str()).c_str());
    return EndWith(kExitRefused);
  }
  if (l->settings.prereq_checker) {
    const std::string& location = l->params.locations.prereq_config;
    if (location.empty()) {
      ConsolePrint(LocalText(msg::S_ERR_PREREQ_CONFIG_LOC).c_str());
      return EndWith(kExitRefused);
    }
    if (!PathExists(location)) {
      ConsolePrint(LocalText(msg::S_ERR_INVALID_PREREQ_CONFIG_LOC, location.c_str()).c_str());
      return EndWith(kExitRefused);
    }
    if (!IsFlagOn(l->params.distribution)) l->params.bootstrap = "F";
  }
  return {};
}

// The start message and the prerequisite checks, then the parameter file's verdict.
Outcome RunPrereqPhase(Launch* l, int param_status) {
  const LaunchSettings& s = l->settings;
  if (!s.help) {
    if (!g_run_flags.bootstrap_only) {
      ConsolePrint(LocalText(msg::S_STARTINSTALLERMSG, ProductTitle(s)).c_str());
    }
    PrereqRunRequest request;
    request.param_file = l->params.path;
    request.execute_only = s.execute_sys_prereqs;
    request.ignore = s.ignore_sys_prereqs;
    request.platform_checks = IsFlagOn(l->params.platform_prereqs);
    l->log.Open();
    if (RunSystemPrereqs(request, l->system.PrereqPass()) != 0) return EndWith(kExitRefused);
  }
  if (param_status == 0) return {};
  if (param_status == -2) WaitForEnter();
  return EndWith(param_status);
}

// The launcher, images and installed-home directories, and the bootstrap size.
void DiscoverDirectories(Launch* l) {
  std::string parent = LauncherDirectoryOf(l->launcher_dir);
  ComponentLocations& locations = l->params.locations;
  if (l->system.IsDirectory(JoinPath(l->launcher_dir, "images"))) {
    locations.images = JoinPath(l->launcher_dir, "images");
  } else if (l->system.IsDirectory(JoinPath(parent, "images"))) {
    locations.images = JoinPath(parent, "images");
  }
  // A launcher inside an installed home runs the installer from that home.
  if (l->system.IsDirectory(JoinPath(parent, "jlib"))) {
    locations.tav = "..";
    locations.tav_core = "..";
  }
  l->bootstrap_megabytes = ParseBootstrapSize(l->params.bootstrap_size);
}

StagingRequest MakeStagingRequest(const Launch& l) {
  StagingRequest r;
  r.scratch_path = l.scratch_path;
  r.unzip_dir = l.startup_dir;
  r.timestamp = l.settings.timestamp;
  // Staging runs only with a size in range, 0 to 2047 megabytes.
  r.bootstrap_size_kb = static_cast<std::uint64_t>(l.bootstrap_megabytes) * 1024;
  r.no_bootstrap = l.settings.no_bootstrap;
  r.print_time = l.settings.print_time;
  return r;
}

// Copies the installer's components into the scratch directory when BOOTSTRAP is on.
Outcome Stage(Launch* l) {
  if (!IsFlagOn(l->params.bootstrap)) return {};
  if (l->bootstrap_megabytes < 0 || l->bootstrap_megabytes > kMaxBootstrapMegabytes) {
    ShowError(LocalText(msg::S_ERBOOTSTRAP_RANGE, kMaxBootstrapMegabytes).c_str());
    return {};
  }
  ConsolePrint(BootstrapMessage(g_run_flags.bootstrap_only, LocalMessage(msg::S_BOOTSTRAPMSG),
                                LocalMessage(msg::S_BOOTSTRAPONLYMSG), LocalMessage(msg::S_WAITMSG),
                                SystemTextToUtf8(l->scratch_path.c_str()))
                   .c_str());
  g_system.flush_output();
  switch (DecideExternalRuntime(l->settings.jre_location_given, &l->params)) {
    case RuntimeDecision::kGoOn:
      break;
    case RuntimeDecision::kNoRuntime:
      return EndWith(kExitRefused);
    case RuntimeDecision::kPromptDisabled:
      return EndWith(kExitNothingToRun);
  }
  l->log.Open();
  int staged = StageComponents(MakeStagingRequest(*l), &l->params, l->system.StagingDisk());
  if (Outcome o = CheckSeal(); o.ends) return o;
  if (staged == kStagingFailed) return EndWith(kExitRefused);
  return {};
}

// A staged run starts the installer in TEMP, where a location relative to the launcher
// directory would name a place under TEMP's parent (on C:\Temp, the root of C:), which
// any user may create. So every location the Java command names is made absolute first,
// against the launcher directory, the working directory until then.
void MakeLocationsAbsolute(ComponentLocations* l) {
  auto make_absolute = [](std::string* location) {
    std::string full;
    if (!location->empty() && GetFullPath(*location, &full)) *location = full;
  };
  for (const ComponentInfo& component : kComponents) make_absolute(&(l->*component.location));
  make_absolute(&l->prereq_config);
}

JavaCommand BuildCommand(const Launch& l) {
  JavaCommandInputs in;
  in.scratch_path = l.scratch_path;
  in.startup_dir = l.startup_dir;
  in.launcher_dir = l.launcher_dir;
  in.source = l.params.source;
  in.nls_enabled = l.params.nls_enabled;
  in.arguments = *l.arguments;
  std::string ext_dir = ExtensionJarDirectory(IsFlagOn(l.params.bootstrap), l.params.ext_jlib,
                                              l.scratch_path, l.startup_dir);
  if (!ext_dir.empty()) in.ext_jar_files = l.system.ListFiles(ext_dir);
  return BuildJavaCommand(l.settings, l.params, in);
}

// The runtime kind check inside the log, then the installer itself.
int StartInstaller(Launch* l, const std::string& program, const JavaCommand& command,
                   bool* still_running) {
  l->log.Open();
  int status = CheckRuntimeKind(l->settings.jre_location_given, l->params);
  if (status != 0) {
    // As for a missing Java program: the user gets to read why nothing starts.
    WaitForEnter();
    return status;
  }
  return l->system.RunInstallerProcess(program, command.elements, l->wait, still_running);
}

// Everything after the parameter file and the prerequisite run.
int LaunchInstaller(Launch* l) {
  LaunchSettings& s = l->settings;
  DiscoverDirectories(l);
  if (Outcome o = Stage(l); o.ends) return o.code;
  if (Outcome o = CheckNothingInPlace(*l); o.ends) return o.code;
  l->wait = ShouldWaitForInstaller(s, l->params);

  if (IsFlagOn(l->params.bootstrap)) MakeLocationsAbsolute(&l->params.locations);

  int status = 0;
  if (g_run_flags.debug)
    ConsolePrint((std::string(LocalMessage(msg::S_LDLIBPATH_VAR)) + "\n").c_str());
  JavaCommand command = BuildCommand(*l);
  if (command.sets_silent) g_run_flags.silent = true;
  // The program checked here is the file started later, after the working directory
  // has changed: a relative path would then name another file, one in TEMP's
  // neighbourhood that the user can plant.
  std::string program;
  if (!GetFullPath(command.program_path, &program)) program.clear();
  if (!g_run_flags.bootstrap_only && !PathExists(program)) {
    ShowError(LocalText(msg::S_ERJRENFD, command.program_path.c_str(), "1.3.1").c_str());
    status = kExitRefused;
  }
  if (!l->system.CheckRegistryAccess()) {
    ShowError(LocalText(msg::S_ERR_REG_ACCESS).c_str());
    return kExitRefused;
  }
  // A staged installer runs off the medium: elevated, in the system directory, since
  // TEMP is the user's to write and Java looks there for native libraries.
  if (IsFlagOn(l->params.bootstrap)) {
    MoveWorkingDirectory(l, l->system.IsElevated() ? l->system.SystemDirectory() : l->temp_dir);
  }
  if (g_run_flags.bootstrap_only) {
    std::string staged_to = SystemTextToUtf8(l->scratch_path.c_str());
    ConsolePrint(FormatText("\nBootStrap To %s Completed\n", staged_to.c_str()).c_str());
    return status;
  }

  bool still_running = false;
  if (status != 0) {
    WaitForEnter();
  } else {
    status = StartInstaller(l, program, command, &still_running);
  }
  // A child the launcher could not wait for still uses the scratch directory.
  if (l->wait && !still_running && IsRemovableScratchPath(l->scratch_path, l->scratch_made)) {
    std::string kept_log;
    // A log in the scratch directory is done with: its kept copy is made from the
    // closed file. One outside it takes the clean-up's lines as any others.
    if (LiesBelow(g_installer_log.path, l->scratch_path)) l->log.Close();
    l->system.RemoveScratchDirectory(l->scratch_path, g_installer_log.path, l->temp_dir, &kept_log);
    if (!kept_log.empty()) ConsolePrint(LocalText(msg::S_LOG_KEPT, kept_log.c_str()).c_str());
  }
  return status;
}

// The scratch directory (or, under -BOOTSTRAPONLY, BOOTSTRAP_LOC) and the parameter
// file; returns what finding the file came to, as an exit code (0 to go on).
int FindScratchAndParameters(Launch* l) {
  const LaunchSettings& s = l->settings;
  InstallerLog& log = g_installer_log;
  if (s.scratch_path_given) l->scratch_path = s.scratch_path;
  l->scratch_made = !g_run_flags.bootstrap_only && !s.scratch_path_given;
  bool outside_temp = false;
  int made = l->scratch_made
                 ? l->system.CreateScratchDirectory(s.timestamp, &l->scratch_path, &outside_temp)
                 : 0;
  if (made == 0 && s.scratch_path_given) made = l->system.HoldScratchDirectory(&l->scratch_path);
  l->temp_dir = made == 0 && l->scratch_made && !outside_temp ? ParentOf(l->scratch_path)
                                                              : l->system.TempDirectory();
  // The Prerequisite Checker logs into the temporary directory it made its scratch
  // directory in, unless told otherwise.
  if (l->scratch_made && s.prereq_checker && log.override_directory.empty() &&
      l->system.IsReadWriteDirectory(l->temp_dir)) {
    log.override_directory = l->temp_dir;
  }
  log.fallback_directory = g_run_flags.bootstrap_only ? s.bootstrap_location : l->scratch_path;
  // A given directory refused is not written into, not even the log.
  if (made != 0 && s.scratch_path_given) log.fallback_directory.clear();
  l->log.Retarget();
  int status = made == 0 ? 0 : kExitRefused;
  if (made == 0) {
    if (l->scratch_made && outside_temp) LogScratchDirectory(l->scratch_path);
    std::string startup_dir = l->startup_dir;
    l->log.Open();
    ParameterFileAccess access = {
        [l](const std::string& path) { return l->system.ParameterKeyReader(path); },
        [l](const std::string& path) { return l->system.HoldMediumFile(path); }};
    ParameterFileStatus found =
        ReadParameterFile(MakeParameterOverrides(s), l->launcher_dir, &l->startup_dir,
                          l->scratch_path, &l->params, access);
    // Once velparam.ini is found, relative locations mean the startup directory.
    if (found != ParameterFileStatus::kNotFound) MoveWorkingDirectory(l, startup_dir);
    status = ParameterFileExitCode(found);
  }
  if (g_run_flags.bootstrap_only) l->scratch_path = s.bootstrap_location;
  return status;
}

int RunLaunch(std::vector<std::string>* arguments, LaunchSystemInterface& system) {
  Launch l(system);
  l.arguments = arguments;
  LaunchSettings& s = l.settings;
  s.timestamp = FormatTimestamp(std::time(nullptr));

  // A sealed medium is checked before anything of it is read; a broken seal leaves no
  // catalogue to read, and is reported as soon as there is a console.
  // The module path is empty when it did not fit: the launch is then refused below,
  // before it reads anything of the medium.
  const std::string& module = (*arguments)[0];
  l.launcher_dir = LauncherDirectoryOf(module);
  s.execution_location = module;
  if (!module.empty()) system.OpenMediumSeal(l.launcher_dir);
  if (system.LoadMessageCatalogue() == 0) {
    SetConsoleOutput(g_system.standard_output());
  } else if (!IsSealBroken()) {
    return kExitNoCatalogue;
  }
  ParseOptions(arguments, &s);
  InstallerLog& log = g_installer_log;
  log.file_name = LogFileName(LogPrefixOf(s), s.timestamp);
  log.override_directory = s.prereq_log_location;
  if (g_run_flags.no_console) {
    // No console of its own: console text is dropped, even where the launcher was
    // started on someone else's console.
    SetConsoleOutput(nullptr);
  } else {
    system.SetUpConsole();
    SetConsoleOutput(g_system.standard_output());
  }

  if ((*arguments)[0].empty()) {
    // The launcher's own path did not fit: every directory found from it would be wrong.
    constexpr int kErrorPathTooLong = 206;
    ShowError(LocalText(msg::S_ERGOSLST, "GetModuleFileName()", kErrorPathTooLong).c_str());
    return kExitRefused;
  }
  if (Outcome o = CheckSeal(); o.ends) return o.code;
  l.startup_dir = StartupDirectoryOf((*arguments)[0]);
  l.params.path = s.param_file;
  l.params.locations.jre = s.jre_location;
  int param_status = FindScratchAndParameters(&l);
  if (Outcome o = CheckSeal(); o.ends) return o.code;
  if (Outcome o = CheckMode(&l); o.ends) return o.code;
  if (Outcome o = RunPrereqPhase(&l, param_status); o.ends) return o.code;
  return LaunchInstaller(&l);
}

}  // namespace

int RunLaunchSequence(std::vector<std::string>* arguments, LaunchSystemInterface& system) {
  int status = RunLaunch(arguments, system);
  FreeMessageMaps();
  return status;
}
