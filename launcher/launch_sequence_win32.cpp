// The launch sequence. So far it loads the message catalogues, recognises the options
// and opens the console; the later phases (parameter file, staging, the Java
// installer) join it here in their fixed order.
#include "launcher/launch_sequence.h"

#include <ctime>

#include "launcher/console.h"
#include "launcher/launch_settings.h"
#include "launcher/options.h"
#include "messages/catalogue_loader.h"
#include "messages/messages.h"
#include "prereq/installer_log.h"

int RunLaunchSequence(std::vector<std::string>* arguments) {
  LaunchSettings& settings = g_launch_settings;
  settings.timestamp = FormatTimestamp(std::time(nullptr));

  if (LoadMessageCatalogue() != 0) return 1;
  ParseOptions(arguments, &settings);
  g_installer_log.override_directory = settings.prereq_log_location;
  if (!settings.no_console) SetUpConsole();

  FreeMessageMaps();
  return 0;
}
