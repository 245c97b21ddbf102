// runtime_probe KIND: a GUI program like setup.exe that makes the Java runtime decision
// with nothing configured, so the prompt can be answered on a pty. KIND is "any",
// "jre", "jdk" or "both" (USEJREONLY / USEJDKONLY set to TRUE). It ends by printing
// "decided: <location> external=<0|1>" or "ended: <exit code>".
#include <string>

#include "javart/java_runtime.h"
#include "launcher/console.h"
#include "messages/catalogue_loader.h"
#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "params/parameter_settings.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 2) return 2;
  std::string kind = __argv[1];
  if (LoadMessageCatalogue() != 0) return 1;
  SetUpConsole();
  SetConsoleOutput(g_system.standard_output());
  g_run_flags.silent = true;
  g_installer_log.fallback_directory = ".";
  g_installer_log.file_name = "installActionsprobe.log";
  InstallerLogSession log;

  ParameterSettings params;
  if (kind == "jre" || kind == "both") params.use_jre_only = "TRUE";
  if (kind == "jdk" || kind == "both") params.use_jdk_only = "TRUE";
  RuntimeDecision decision = DecideExternalRuntime(false, &params);
  if (decision == RuntimeDecision::kGoOn) {
    ConsolePrint(FormatText("\ndecided: %s external=%d\n", params.locations.jre.c_str(),
                            params.locations.jre_external ? 1 : 0)
                     .c_str());
    return 0;
  }
  // The exit codes the launcher ends with.
  int exit_code = decision == RuntimeDecision::kNoRuntime ? -1 : 0;
  ConsolePrint(FormatText("\nended: %d\n", exit_code).c_str());
  return exit_code;
}
