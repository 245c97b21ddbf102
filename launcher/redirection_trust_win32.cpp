#include "launcher/redirection_trust_win32.h"

bool EnforceRedirectionTrust(SetMitigationPolicyFn set_policy) {
  if (set_policy == nullptr) {
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    if (kernel32 == nullptr) return false;
    set_policy = reinterpret_cast<SetMitigationPolicyFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel32, "SetProcessMitigationPolicy")));
    if (set_policy == nullptr) return false;
  }
  // PROCESS_MITIGATION_REDIRECTION_TRUST_POLICY is one DWORD of flags.
  DWORD flags = kEnforceRedirectionTrust;
  return set_policy(kProcessRedirectionTrustPolicy, &flags, sizeof flags) != FALSE;
}
