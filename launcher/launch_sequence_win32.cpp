// The launch sequence: the launcher's main routine, whose result is the exit code.
//
// The phases run in a fixed order: messages, options, console, parameter file, mode
// checks, prerequisite run, directory discovery, staging, the Java command, the
// environment checks, the launch and the clean-up. A failed parameter-file phase is
// acted on only after the prerequisite run, so the start message and the checks come
// first. The installer receives the scratch directory; when the launcher waits for the
// installer it removes the directory afterwards, otherwise the installer owns it.
#include "launcher/launch_sequence.h"

#include <direct.h>

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "javart/java_runtime.h"
#include "launcher/class_path.h"
#include "launcher/console.h"
#include "launcher/installer_process.h"
#include "launcher/java_command.h"
#include "launcher/launch_rules.h"
#include "launcher/launch_settings.h"
#include "launcher/main_class.h"
#include "launcher/options.h"
#include "launcher/registry_probe.h"
#include "messages/catalogue_loader.h"
#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "params/parameter_file.h"
#include "params/parameter_keys.h"
#include "params/parameter_search.h"
#include "params/parameter_settings.h"
#include "platform/full_path.h"
#include "platform/held_directory_win32.h"
#include "platform/list_files.h"
#include "platform/path_exists.h"
#include "platform/path_join.h"
#include "platform/system_text.h"
#include "platform/windows_prelude.h"
#include "prereq/prereq_run.h"
#include "staging/component_staging.h"
#include "staging/scratch_cleanup.h"
#include "staging/scratch_dir.h"

namespace {

// The working state of one launch.
struct Launch {
  LaunchSettings& settings = g_launch_settings;
  std::vector<std::string>* arguments = nullptr;
  ParameterSettings params;
  std::string startup_dir;
  std::string scratch_path;
  bool scratch_made = false;
  // The scratch directory, held from its creation (or for the run, when given) until it
  // is removed or the launcher ends.
  HeldDirectory scratch_hold;
  std::string launcher_dir;
  std::string images_dir;
  bool external_jre = false;
  int bootstrap_megabytes = 0;
  std::string source;
  std::string nls_enabled;
  bool wait = false;
};

// The one place the process's working directory changes: to the startup directory once
// velparam.ini is found (relative locations of the medium mean that directory from then
// on), and to TEMP before a staged installer starts (so that it runs off the medium).
void MoveWorkingDirectory(const std::string& directory) { _chdir(directory.c_str()); }

// Ends the launch with this exit code when set.
struct Outcome {
  bool ends = false;
  int code = 0;
};
Outcome EndWith(int code) { return {true, code}; }

bool IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A key read from the parameter file again, as the file stands now.
std::string ReadKeyAgain(const Launch& l, const char* key, const char* default_value,
                         KeyKind kind = KeyKind::kText) {
  return ReadVelmorKey(ProfileKeyReader(l.params.path), key, default_value, kind);
}

// Where the scratch directory went, for whoever reads the installer log, when TEMP was
// unusable and another temporary directory was taken instead.
void LogScratchDirectory(const Launch& l) {
  OpenInstallerLog(l.scratch_path, l.settings.timestamp, l.settings.log_prefix);
  WriteLog(BaseText(msg::S_SCRATCH_DIR_CREATED, SystemTextToUtf8(l.scratch_path.c_str()).c_str())
               .c_str());
  CloseInstallerLog();
}

ParameterFileRequest MakeParameterFileRequest(const Launch& l) {
  const LaunchSettings& s = l.settings;
  ParameterFileRequest r;
  r.log_directory = s.bootstrap_only ? s.bootstrap_location : l.scratch_path;
  r.timestamp = s.timestamp;
  r.log_prefix = s.log_prefix;
  r.debug = s.debug;
  r.overrides.jre_location_given = s.jre_location_given;
  r.overrides.prereq_config_location = s.prereq_config_location;
  r.overrides.prereq_config_from_source = s.prereq_config_from_source;
  return r;
}

RuntimeOptions MakeRuntimeOptions(const LaunchSettings& s) {
  RuntimeOptions r;
  r.jre_location_given = s.jre_location_given;
  r.no_console = s.no_console;
  r.bootstrap_only = s.bootstrap_only;
  r.timestamp = s.timestamp;
  r.log_prefix = s.log_prefix;
  return r;
}

// The main class decides whether the mode stages and whether it may run from a
// distribution medium; the Prerequisite Checker needs its configuration.
Outcome CheckMode(Launch* l) {
  ModeChoice mode = ChooseMainClass(l->settings, l->params);
  if (mode.forcing == BootstrapForcing::kAlways) l->params.bootstrap = "F";
  if (mode.forcing == BootstrapForcing::kUnlessDistribution &&
      ReadKeyAgain(*l, "DISTRIBUTION", "F", KeyKind::kFlag) == "F") {
    l->params.bootstrap = "F";
  }
  if (mode.refuses_distribution && IsFlagOn(l->params.distribution)) {
    ShowError(
        LocalText(msg::S_ERRORINVOKINGFROMCD, l->settings.last_element_upper.c_str()).c_str());
    return EndWith(-1);
  }
  if (l->settings.prereq_checker) {
    const std::string& location = l->params.prereq_config_location;
    if (location.empty()) {
      ConsolePrint(LocalText(msg::S_ERR_PREREQ_CONFIG_LOC).c_str());
      return EndWith(-1);
    }
    if (!PathExists(location)) {
      std::fputs(LocalText(msg::S_ERR_INVALID_PREREQ_CONFIG_LOC, location.c_str()).c_str(), stdout);
      std::fflush(stdout);
      return EndWith(-1);
    }
    if (!IsFlagOn(l->params.distribution)) l->params.bootstrap = "F";
  }
  return {};
}

// The start message and the prerequisite checks, then the parameter file's verdict.
Outcome RunPrereqPhase(Launch* l, int param_status) {
  const LaunchSettings& s = l->settings;
  if (!s.help) {
    if (!s.bootstrap_only) {
      ConsolePrint(LocalText(msg::S_STARTINSTALLERMSG, ProductTitle(s)).c_str());
    }
    PrereqRunRequest request;
    request.param_file = l->params.path;
    request.log_directory = l->scratch_path;
    request.timestamp = s.timestamp;
    request.log_prefix = s.log_prefix;
    request.silent = s.silent;
    request.execute_only = s.execute_sys_prereqs;
    request.ignore = s.ignore_sys_prereqs;
    request.no_console = s.no_console;
    request.platform_checks = IsFlagOn(ReadKeyAgain(*l, "PLATFORM_PREREQS", "FALSE"));
    if (RunSystemPrereqs(request) != 0) return EndWith(-1);
  }
  if (param_status == 0) return {};
  if (param_status == -2) WaitForEnter();
  return EndWith(param_status);
}

// The launcher, images and installed-home directories, and the bootstrap size.
void DiscoverDirectories(Launch* l) {
  GetLauncherDirectory(&l->launcher_dir);
  std::string parent = LauncherDirectoryOf(l->launcher_dir);
  if (IsDirectory(JoinPath(l->launcher_dir, "images"))) {
    l->images_dir = JoinPath(l->launcher_dir, "images");
  } else if (IsDirectory(JoinPath(parent, "images"))) {
    l->images_dir = JoinPath(parent, "images");
  }
  // A launcher inside an installed home runs the installer from that home.
  if (IsDirectory(JoinPath(parent, "jlib"))) {
    l->params.tav_location = "..";
    l->params.tav_core_location = "..";
  }
  l->bootstrap_megabytes = ParseBootstrapSize(l->params.bootstrap_size);
}

StagingRequest MakeStagingRequest(const Launch& l) {
  const ParameterSettings& p = l.params;
  StagingRequest r;
  r.scratch_path = l.scratch_path;
  r.tav_location = p.tav_location;
  r.tav_core_location = p.tav_core_location;
  r.patchel_location = p.patchel_location;
  r.jre_location = p.jre_location;
  r.images_dir = l.images_dir;
  r.prereq_config_location = p.prereq_config_location;
  r.jre_scratch_location = p.jre_scratch_location;
  r.tav_version = p.tav_version;
  r.jre_version = p.jre_version;
  r.unzip_dir = l.startup_dir;
  // Staging runs only with a size in range, 0 to 2047 megabytes.
  r.bootstrap_size_kb = static_cast<std::uint64_t>(l.bootstrap_megabytes) * 1024;
  r.distribution = IsFlagOn(p.distribution);
  r.ext_jlib = p.ext_jlib;
  r.ext_lib = p.ext_lib;
  r.ext_bin = p.ext_bin;
  r.copy_runtime = !l.external_jre;
  r.timestamp = l.settings.timestamp;
  r.log_prefix = l.settings.log_prefix;
  r.components = p.bootstrap_comps;
  r.access_dir = p.access_dir;
  r.bootstrap_only = l.settings.bootstrap_only;
  r.no_bootstrap = l.settings.no_bootstrap;
  r.print_time = l.settings.print_time;
  r.debug = l.settings.debug;
  return r;
}

// Copies the installer's components into the scratch directory when BOOTSTRAP is on.
Outcome Stage(Launch* l) {
  if (!IsFlagOn(l->params.bootstrap)) return {};
  if (l->bootstrap_megabytes < 0 || l->bootstrap_megabytes > kMaxBootstrapMegabytes) {
    ShowError(LocalText(msg::S_ERBOOTSTRAP_RANGE, kMaxBootstrapMegabytes).c_str());
    return {};
  }
  ConsolePrint(BootstrapMessage(l->settings.bootstrap_only, LocalMessage("S_BOOTSTRAPMSG"),
                                LocalMessage("S_BOOTSTRAPONLYMSG"), LocalMessage("S_WAITMSG"),
                                SystemTextToUtf8(l->scratch_path.c_str()))
                   .c_str());
  std::fflush(stdout);
  int exit_code = 0;
  if (!DecideExternalRuntime(MakeRuntimeOptions(l->settings), l->scratch_path, &l->params,
                             &l->external_jre, &exit_code)) {
    return EndWith(exit_code);
  }
  StagingRequest request = MakeStagingRequest(*l);
  if (StageComponents(&request) == kStagingFailed) return EndWith(-1);
  ParameterSettings& p = l->params;
  p.tav_location = request.tav_location;
  p.tav_core_location = request.tav_core_location;
  p.patchel_location = request.patchel_location;
  p.jre_location = request.jre_location;
  p.prereq_config_location = request.prereq_config_location;
  l->images_dir = request.images_dir;
  return {};
}

// A staged run starts the installer in TEMP, where a location relative to the launcher
// directory would name a place under TEMP's parent (on C:\Temp, the root of C:), which
// any user may create. So every location the Java command names is made absolute first,
// against the launcher directory, the working directory until then.
void MakeLocationsAbsolute(ParameterSettings* p) {
  for (std::string* location : {&p->tav_location, &p->tav_core_location, &p->patchel_location,
                                &p->jre_location, &p->prereq_config_location}) {
    std::string full;
    if (!location->empty() && GetFullPath(*location, &full)) *location = full;
  }
}

JavaCommand BuildCommand(const Launch& l) {
  JavaCommandInputs in;
  in.jre_location = l.params.jre_location;
  in.scratch_path = l.scratch_path;
  in.startup_dir = l.startup_dir;
  in.launcher_dir = l.launcher_dir;
  in.external_jre = l.external_jre;
  in.source = l.source;
  in.nls_enabled = l.nls_enabled;
  in.arguments = *l.arguments;
  std::string ext_dir = ExtensionJarDirectory(IsFlagOn(l.params.bootstrap), l.params.ext_jlib,
                                              l.scratch_path, l.startup_dir);
  if (!ext_dir.empty()) in.ext_jar_files = ListFiles(ext_dir);
  return BuildJavaCommand(l.settings, l.params, in);
}

// The runtime kind check inside the log, then the installer itself.
int StartInstaller(const Launch& l, const std::string& program, const JavaCommand& command,
                   bool* still_running) {
  const LaunchSettings& s = l.settings;
  OpenInstallerLog(l.scratch_path, s.timestamp, s.log_prefix);
  int status =
      CheckRuntimeKind(l.params.jre_location, l.external_jre, MakeRuntimeOptions(s), l.params);
  CloseInstallerLog();
  if (status != 0) {
    // As for a missing Java program: the user gets to read why nothing starts.
    WaitForEnter();
    return status;
  }
  return RunInstallerProcess(program, command.elements, l.wait, still_running);
}

// Everything after the parameter file and the prerequisite run.
int LaunchInstaller(Launch* l) {
  LaunchSettings& s = l->settings;
  DiscoverDirectories(l);
  if (Outcome o = Stage(l); o.ends) return o.code;
  l->source = ReadKeyAgain(*l, "SOURCE", "");
  l->nls_enabled = ReadKeyAgain(*l, "NLS_ENABLED", "TRUE");
  l->wait = ShouldWaitForInstaller(s, l->params);

  if (IsFlagOn(l->params.bootstrap)) MakeLocationsAbsolute(&l->params);

  int status = 0;
  if (s.debug) ConsolePrint((std::string(LocalMessage("S_LDLIBPATH_VAR")) + "\n").c_str());
  JavaCommand command = BuildCommand(*l);
  if (command.sets_silent) {
    s.silent = true;
    g_console.silent = true;
  }
  // The program checked here is the file started later, after the working directory
  // has changed: a relative path would then name another file, one in TEMP's
  // neighbourhood that the user can plant.
  std::string program;
  if (!GetFullPath(command.program_path, &program)) program.clear();
  if (!s.bootstrap_only && !PathExists(program)) {
    ShowError(LocalText(msg::S_ERJRENFD, command.program_path.c_str(), "1.3.1").c_str());
    status = -1;
  }
  if (!CheckRegistryAccess()) {
    ShowError(LocalText(msg::S_ERR_REG_ACCESS).c_str());
    return -1;
  }
  std::string temp = GetTempDir();
  if (IsFlagOn(l->params.bootstrap)) MoveWorkingDirectory(temp);
  if (s.bootstrap_only) {
    std::printf("\nBootStrap To %s Completed\n", l->scratch_path.c_str());
    std::fflush(stdout);
    return status;
  }

  bool still_running = false;
  if (status != 0) {
    WaitForEnter();
  } else {
    status = StartInstaller(*l, program, command, &still_running);
  }
  // A child the launcher could not wait for still uses the scratch directory.
  if (l->wait && !still_running && IsRemovableScratchPath(l->scratch_path, l->scratch_made)) {
    std::string kept_log;
    RemoveScratchKeepingLog(l->scratch_path, &l->scratch_hold, g_installer_log.path, temp,
                            &kept_log);
    if (!kept_log.empty()) ConsolePrint(LocalText(msg::S_LOG_KEPT, kept_log.c_str()).c_str());
  }
  return status;
}

int RunLaunch(std::vector<std::string>* arguments) {
  Launch l;
  l.arguments = arguments;
  LaunchSettings& s = l.settings;
  s.timestamp = FormatTimestamp(std::time(nullptr));

  if (LoadMessageCatalogue() != 0) return 1;
  ParseOptions(arguments, &s);
  g_console.silent = s.silent;
  g_installer_log.override_directory = s.prereq_log_location;
  if (s.no_console) {
    // No console of its own: console text is dropped, even where the launcher was
    // started on someone else's console.
    g_console.output = nullptr;
  } else {
    SetUpConsole();
  }

  l.startup_dir = StartupDirectoryOf((*arguments)[0]);
  if (s.scratch_path_given) l.scratch_path = s.scratch_path;
  l.params.path = s.param_file;
  l.params.jre_location = s.jre_location;
  int param_status = 0;
  l.scratch_made = !s.bootstrap_only && !s.scratch_path_given;
  if (l.scratch_made &&
      CreateScratchDir(s.timestamp, s.prereq_checker, &l.scratch_path, &l.scratch_hold) != 0) {
    param_status = -1;
  } else {
    if (s.scratch_path_given) HoldDirectory(l.scratch_path, &l.scratch_hold);
    if (l.scratch_made && !IsTempFromEnvironment()) LogScratchDirectory(l);
    std::string startup_dir = l.startup_dir;
    param_status =
        ReadParameterFile(MakeParameterFileRequest(l), &l.startup_dir, l.scratch_path, &l.params);
    // Once velparam.ini is found, relative locations mean the startup directory.
    if (param_status != -2) MoveWorkingDirectory(startup_dir);
  }
  if (s.bootstrap_only) l.scratch_path = s.bootstrap_location;

  if (Outcome o = CheckMode(&l); o.ends) return o.code;
  if (Outcome o = RunPrereqPhase(&l, param_status); o.ends) return o.code;
  return LaunchInstaller(&l);
}

}  // namespace

int RunLaunchSequence(std::vector<std::string>* arguments) {
  int status = RunLaunch(arguments);
  FreeMessageMaps();
  return status;
}
