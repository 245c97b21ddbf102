// Junctions made by anyone but an administrator are not followed by this process.
//
// Outside its protected scratch directory the elevated launcher still writes where the
// user decides what a name means: the scratch directory's creation in TEMP and the
// installer log kept in TEMP at the end. Where the system offers it (Windows 11 and
// later), the process refuses to follow a junction that a non-administrator made, so
// such a name cannot redirect the elevated writes elsewhere.
#ifndef LAUNCHER_REDIRECTION_TRUST_WIN32_H_
#define LAUNCHER_REDIRECTION_TRUST_WIN32_H_

#include "platform/windows_prelude.h"

// SetProcessMitigationPolicy's shape; the call is looked up at run time, as older
// systems lack it.
using SetMitigationPolicyFn = BOOL(WINAPI*)(int policy, void* buffer, SIZE_T length);

// The redirection trust policy's number and its flag that enforces it.
constexpr int kProcessRedirectionTrustPolicy = 16;
constexpr DWORD kEnforceRedirectionTrust = 0x1;

// Turns the policy on through `set_policy`, or through the system's call when null.
// Returns whether it is in force; a system without it (or refusing it) is left as it is.
bool EnforceRedirectionTrust(SetMitigationPolicyFn set_policy = nullptr);

#endif  // LAUNCHER_REDIRECTION_TRUST_WIN32_H_
