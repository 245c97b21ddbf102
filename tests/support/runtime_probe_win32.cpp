// runtime_probe KIND: a GUI program like setup.exe that makes the Java runtime decision
// with nothing configured, so the prompt can be answered on a pty. KIND is "any",
// "jre", "jdk" or "both" (USEJREONLY / USEJDKONLY set to TRUE). It ends by printing
// "decided: <location> external=<0|1>" or "ended: <exit code>".
#include <string>

#include "javart/java_runtime.h"
#include "launcher/console.h"
#include "messages/catalogue_loader.h"
#include "messages/format_text.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "params/parameter_settings.h"
#include "platform/windows_prelude.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 2) return 2;
  std::string kind = __argv[1];
  if (LoadMessageCatalogue() != 0) return 1;
  SetUpConsole();
  g_console.silent = true;
  RuntimeOptions options;
  options.timestamp = "probe";
  options.log_prefix = "\\installActions";

  ParameterSettings params;
  if (kind == "jre" || kind == "both") params.use_jre_only = "TRUE";
  if (kind == "jdk" || kind == "both") params.use_jdk_only = "TRUE";
  bool external = false;
  int exit_code = 0;
  if (DecideExternalRuntime(options, ".", &params, &external, &exit_code)) {
    ConsolePrint(
        FormatText("\ndecided: %s external=%d\n", params.jre_location.c_str(), external ? 1 : 0)
            .c_str());
    return 0;
  }
  ConsolePrint(FormatText("\nended: %d\n", exit_code).c_str());
  return exit_code;
}
