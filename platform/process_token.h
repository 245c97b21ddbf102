// What the launcher's own access token says about who runs it.
#ifndef PLATFORM_PROCESS_TOKEN_H_
#define PLATFORM_PROCESS_TOKEN_H_

#include <string>

// The SID of the user the launcher runs for, as text ("S-1-5-21-..."), into `*sid`.
// False when the token cannot be read.
bool GetUserSidText(std::string* sid);

// Whether the token holds the Administrators group, enabled: an elevated launch.
bool HasAdministrators();

#endif  // PLATFORM_PROCESS_TOKEN_H_
