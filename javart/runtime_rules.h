// The rules that choose the Java runtime and judge its kind, apart from the files.
#ifndef JAVART_RUNTIME_RULES_H_
#define JAVART_RUNTIME_RULES_H_

#include <string>

#include "messages/message_keys.h"

// The message keys of the Java home prompt. With both USEJDKONLY and USEJREONLY the
// first request asks for a JDK and every retry for a JRE.
// Both are plain texts: the choice made at run time takes no arguments.
MessageKey<> FirstJavaHomeRequest(bool jdk_only, bool jre_only);
MessageKey<> RetryJavaHomeRequest(bool jdk_only, bool jre_only);

// The message key refusing a runtime of the wrong kind, or nullptr when it is fine:
// a JRE where a JDK is required gives S_INVALID_JDK_HOME, anything but a JRE where a
// JRE is required S_INVALID_JRE_HOME.
const MessageKey<>* RuntimeKindRefusal(bool jdk_only, bool jre_only, bool looks_like_jre);

// How the runtime is found when components are staged.
enum class RuntimeSource {
  kExternal,            // -jreLoc: used in place
  kStaged,              // JRE_LOCATION or JRE_SCRATCH_LOC: staging copies or finds it
  kNoneNoConsole,       // nothing named and nobody to ask: the run fails
  kNoneBootstrapOnly,   // nothing named, only staging: decided later
  kNonePromptDisabled,  // nothing named, DISABLE_JRE_PROMPT: the run ends with 0
  kPrompt,              // ask the user; the answer is used in place
};

RuntimeSource ChooseRuntimeSource(bool jre_location_given, const std::string& jre_location,
                                  const std::string& jre_scratch_location, bool no_console,
                                  bool bootstrap_only, bool prompt_disabled);

#endif  // JAVART_RUNTIME_RULES_H_
