#include "javart/runtime_rules.h"

MessageKey<> FirstJavaHomeRequest(bool jdk_only, bool jre_only) {
  if (jdk_only) return msg::S_SPECIFY_JDK_ONLY_LOCATION;
  if (jre_only) return msg::S_SPECIFY_JRE_ONLY_LOCATION;
  return msg::S_SPECIFY_JRE_LOCATION;
}

MessageKey<> RetryJavaHomeRequest(bool jdk_only, bool jre_only) {
  if (jre_only) return msg::S_SPECIFY_VALID_JRE_ONLY_LOCATION;
  if (jdk_only) return msg::S_SPECIFY_VALID_JDK_ONLY_LOCATION;
  return msg::S_SPECIFY_VALID_JRE_LOCATION;
}

const MessageKey<>* RuntimeKindRefusal(bool jdk_only, bool jre_only, bool looks_like_jre) {
  if (jdk_only && looks_like_jre) return &msg::S_INVALID_JDK_HOME;
  if (jre_only && !looks_like_jre) return &msg::S_INVALID_JRE_HOME;
  return nullptr;
}

RuntimeSource ChooseRuntimeSource(bool jre_location_given, const std::string& jre_location,
                                  const std::string& jre_scratch_location, bool no_console,
                                  bool bootstrap_only, bool prompt_disabled) {
  if (jre_location_given) return RuntimeSource::kExternal;
  if (!jre_location.empty() || !jre_scratch_location.empty()) return RuntimeSource::kStaged;
  if (no_console) return RuntimeSource::kNoneNoConsole;
  if (bootstrap_only) return RuntimeSource::kNoneBootstrapOnly;
  if (prompt_disabled) return RuntimeSource::kNonePromptDisabled;
  return RuntimeSource::kPrompt;
}
