#include "platform/system_calls.h"

#include <cstdio>
#include <cstdlib>

namespace {
bool g_overridden = false;
}  // namespace

ScopedSystemCalls::ScopedSystemCalls(const SystemCalls& calls) {
  if (g_overridden) {
    std::fputs("ScopedSystemCalls: calls are put in one set at a time\n", stderr);
    std::abort();
  }
  g_overridden = true;
  g_system = calls;
}

ScopedSystemCalls::~ScopedSystemCalls() {
  g_system = kSystemCalls;
  g_overridden = false;
}
