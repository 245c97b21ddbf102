// The one place that includes <windows.h>. Windows-only files include this instead.
#ifndef PLATFORM_WINDOWS_PRELUDE_H_
#define PLATFORM_WINDOWS_PRELUDE_H_

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
// Windows 7: the oldest system the launcher supports; MinGW-w64 defaults lower.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601

#include <windows.h>

#endif  // PLATFORM_WINDOWS_PRELUDE_H_
