#include "launcher/redirection_trust_win32.h"

#include <gtest/gtest.h>

namespace {

// What the launcher asked the system for, and the system's answer.
struct Call {
  int policy = -1;
  DWORD flags = 0;
  SIZE_T length = 0;
  BOOL answer = TRUE;
};
Call g_call;

BOOL WINAPI RecordCall(int policy, void* buffer, SIZE_T length) {
  g_call.policy = policy;
  g_call.length = length;
  if (length == sizeof(DWORD)) g_call.flags = *static_cast<DWORD*>(buffer);
  return g_call.answer;
}

TEST(EnforceRedirectionTrust, AsksForEnforcementAndTakesARefusalQuietly) {
  for (BOOL answer : {TRUE, FALSE}) {
    g_call = Call();
    g_call.answer = answer;
    EXPECT_EQ(EnforceRedirectionTrust(RecordCall), answer != FALSE);
    EXPECT_EQ(g_call.policy, 16);  // ProcessRedirectionTrustPolicy
    EXPECT_EQ(g_call.flags, 1u);   // EnforceRedirectionTrust, not audit only
    EXPECT_EQ(g_call.length, sizeof(DWORD));
  }
}

}  // namespace
