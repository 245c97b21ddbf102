// The launch sequence. So far it loads the message catalogues, recognises the options,
// opens the console and reads the parameter file; the later phases (mode checks,
// staging, the Java installer) join it here in their fixed order.
#include "launcher/launch_sequence.h"

#include <ctime>

#include "launcher/console.h"
#include "launcher/launch_settings.h"
#include "launcher/options.h"
#include "messages/catalogue_loader.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "params/parameter_file.h"
#include "params/parameter_search.h"
#include "params/parameter_settings.h"
#include "prereq/installer_log.h"

int RunLaunchSequence(std::vector<std::string>* arguments) {
  LaunchSettings& settings = g_launch_settings;
  settings.timestamp = FormatTimestamp(std::time(nullptr));

  if (LoadMessageCatalogue() != 0) return 1;
  ParseOptions(arguments, &settings);
  g_installer_log.override_directory = settings.prereq_log_location;
  if (!settings.no_console) SetUpConsole();

  std::string startup_dir = StartupDirectoryOf((*arguments)[0]);
  std::string scratch_path;
  if (settings.scratch_path_given) scratch_path = settings.scratch_path;
  ParameterSettings params;
  params.path = settings.param_file;
  params.jre_location = settings.jre_location;
  int param_status = ReadParameterFile(settings, &startup_dir, &scratch_path, &params);
  if (settings.bootstrap_only) scratch_path = settings.bootstrap_location;

  if (param_status != 0) {
    if (param_status == -2) WaitForEnter();
    FreeMessageMaps();
    return param_status;
  }

  FreeMessageMaps();
  return 0;
}
