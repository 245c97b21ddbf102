// Where an open file or directory really is, whatever path led to it.
#ifndef PLATFORM_FINAL_PATH_WIN32_H_
#define PLATFORM_FINAL_PATH_WIN32_H_

#include <string>

#include "platform/windows_prelude.h"

// The normalized path of the open `handle`, with its drive letter where it has one:
// "C:\Users\u\Temp\x" or "\\server\share\x", never "\\?\"; "" when the system cannot
// tell.
std::wstring FinalWidePathOf(HANDLE handle);

// FinalWidePathOf in the ANSI code page (UTF-8 under the launcher's manifest); "" when
// it cannot be spelt there.
std::string FinalPathOf(HANDLE handle);

// Whether two paths name the same place, ignoring case as the file system does.
bool IsSamePath(const std::wstring& a, const std::wstring& b);

#endif  // PLATFORM_FINAL_PATH_WIN32_H_
