#include "javart/java_runtime.h"

#include <cstdio>

#include "javart/runtime_rules.h"
#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/run_flags.h"
#include "params/parameter_settings.h"
#include "platform/path_exists.h"
#include "platform/path_join.h"
#include "platform/system_calls.h"
#include "platform/text_buffer.h"

namespace {

enum class LineRead { kLine, kTooLong, kEnd };

// Reads one line from standard input without its line end.
LineRead ReadAnswerLine(std::string* line) {
  line->clear();
  bool any = false;
  int c;
  while ((c = g_system.read_input_char()) != EOF) {
    any = true;
    if (c == '\n') break;
    line->push_back(static_cast<char>(c));
  }
  if (!any) return LineRead::kEnd;
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return line->size() > kMaxTextLength ? LineRead::kTooLong : LineRead::kLine;
}

void ReportNoRuntime() { WriteLog(BaseText(msg::S_JRELOC_ERROR_NOCONSOLE_WIN).c_str()); }

}  // namespace

bool LooksLikeJre(const std::string& home) {
  std::string lib = JoinPath(home, "lib");
  return PathExists(JoinPath(lib, "rt.jar")) || PathExists(JoinPath(lib, "core.jar"));
}

int CheckRuntimeKind(bool jre_location_given, const ParameterSettings& params) {
  if (!jre_location_given && !params.locations.jre_external) return 0;
  bool jdk_only = IsSwitchOn(params.use_jdk_only);
  bool jre_only = IsSwitchOn(params.use_jre_only);
  if (!jdk_only && !jre_only) return 0;
  const MessageKey<>* refusal =
      RuntimeKindRefusal(jdk_only, jre_only, LooksLikeJre(params.locations.jre));
  if (refusal == nullptr) return 0;
  WriteLog(BaseText(*refusal).c_str());
  ConsolePrint("\n\n");
  ConsolePrint(LocalText(*refusal).c_str());
  return -1;
}

int PromptForJavaHome(const ParameterSettings& params, std::string* answer) {
  bool jdk_only = IsSwitchOn(params.use_jdk_only);
  bool jre_only = IsSwitchOn(params.use_jre_only);
  ConsolePrint("\n");
  ConsolePrint(LocalText(FirstJavaHomeRequest(jdk_only, jre_only)).c_str());
  for (;;) {
    g_system.discard_input();
    std::string line;
    LineRead read = ReadAnswerLine(&line);
    if (read == LineRead::kEnd) return -1;
    if (read == LineRead::kLine && !line.empty() &&
        PathExists(JoinPath(JoinPath(line, "bin"), "java.exe"))) {
      *answer = line;
      return 0;
    }
    ConsolePrint("\n");
    ConsolePrint(LocalText(RetryJavaHomeRequest(jdk_only, jre_only)).c_str());
  }
}

RuntimeDecision DecideExternalRuntime(bool jre_location_given, ParameterSettings* params) {
  ComponentLocations& locations = params->locations;
  locations.jre_external = false;
  switch (ChooseRuntimeSource(jre_location_given, locations.jre, params->jre_scratch_location,
                              g_run_flags.no_console, g_run_flags.bootstrap_only,
                              IsSwitchOn(params->disable_jre_prompt))) {
    case RuntimeSource::kExternal:
      locations.jre_external = true;
      return RuntimeDecision::kGoOn;
    case RuntimeSource::kStaged:
    case RuntimeSource::kNoneBootstrapOnly:
      return RuntimeDecision::kGoOn;
    case RuntimeSource::kNoneNoConsole:
      ShowError(LocalText(msg::S_JRELOC_ERROR_NOCONSOLE_WIN).c_str());
      return RuntimeDecision::kNoRuntime;
    case RuntimeSource::kNonePromptDisabled:
      ReportNoRuntime();
      ConsolePrint("\n\n");
      ConsolePrint(LocalText(msg::S_JRELOC_ERROR_NOCONSOLE_WIN).c_str());
      return RuntimeDecision::kPromptDisabled;
    case RuntimeSource::kPrompt:
      break;
  }
  std::string answer;
  if (PromptForJavaHome(*params, &answer) != 0) {
    // Nobody can answer any more: end as when there is no console to ask at.
    ReportNoRuntime();
    ConsolePrint("\n\n");
    ShowError(LocalText(msg::S_JRELOC_ERROR_NOCONSOLE_WIN).c_str());
    return RuntimeDecision::kNoRuntime;
  }
  locations.jre = answer;
  locations.jre_external = true;
  return RuntimeDecision::kGoOn;
}
