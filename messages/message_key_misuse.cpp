// Calls that must not compile, one for each value of VEL_MISUSE; CMakeLists.txt
// compiles this file with each and expects the compiler's refusal. Without
// VEL_MISUSE only correct calls remain and the file compiles, which shows that the
// refusals come from the misuse and not from the file.
#include <string>

#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/messages.h"

#ifndef VEL_MISUSE
#define VEL_MISUSE 0
#endif

void CallWithMessageKeys(const std::string& path, long count, double ratio, const char* key_name) {
  LocalText(msg::S_ERPERDIR, path.c_str());
  BaseText(msg::S_ERGOSLST, "GetCurrentDir()", static_cast<int>(count));
  ShowAndLogMessage(msg::S_FAIL_CHECKING_FOR_SWAP, 512, path.c_str());
  LocalText(msg::S_TAV);
  LocalMessage(msg::S_TAV);
  FormatText("%s: %d", path.c_str(), static_cast<int>(ratio));
  (void)key_name;
#if VEL_MISUSE == 1  // a std::string where a const char* is taken
  LocalText(msg::S_ERPERDIR, path);
#elif VEL_MISUSE == 2   // an argument missing
  LocalText(msg::S_ERGOSLST, "GetCurrentDir()");
#elif VEL_MISUSE == 3   // an argument too many
  BaseText(msg::S_TAV, path.c_str());
#elif VEL_MISUSE == 4   // a long where an int is taken
  LocalText(msg::S_ERBOOTSTRAP_RANGE, count);
#elif VEL_MISUSE == 5   // a double where an int is taken
  ShowAndLogMessage(msg::S_ACTUAL_CPU, ratio);
#elif VEL_MISUSE == 6   // the arguments in the wrong order
  LocalText(msg::S_ERGOSLST, 5, "GetCurrentDir()");
#elif VEL_MISUSE == 7   // a key named at run time
  LocalText(key_name);
#elif VEL_MISUSE == 8   // a literal format that does not fit its arguments
  FormatText("%d", path.c_str());
#elif VEL_MISUSE == 9   // a catalogue text formatted past its key's check
  FormatText(LocalMessage(msg::S_ERABS_PATH), path.c_str());
#elif VEL_MISUSE == 10  // a catalogue text looked up by a name given as text
  LocalMessage(key_name);
#endif
}
