// The launch sequence. So far it loads the message catalogues and recognises the
// options; the later phases (console, parameter file, staging, the Java installer)
// join it here in their fixed order.
#include "launcher/launch_sequence.h"

#include <ctime>

#include "launcher/launch_settings.h"
#include "launcher/options.h"
#include "messages/catalogue_loader.h"
#include "messages/messages.h"

int RunLaunchSequence(std::vector<std::string>* arguments) {
  LaunchSettings& settings = g_launch_settings;
  settings.timestamp = FormatTimestamp(std::time(nullptr));

  if (LoadMessageCatalogue() != 0) return 1;
  ParseOptions(arguments, &settings);

  FreeMessageMaps();
  return 0;
}
