// Environment blocks between the system's UTF-16 and the entries of
// platform/environment_block.h (UTF-8 "NAME=value").
#ifndef PLATFORM_SYSTEM_ENVIRONMENT_WIN32_H_
#define PLATFORM_SYSTEM_ENVIRONMENT_WIN32_H_

#include <string>
#include <vector>

// The launcher's own environment.
std::vector<std::string> ProcessEnvironment();

// The system's variables alone, as a service started now would get them: the machine's
// (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment), expanded with
// each other, and SystemRoot; nothing of the user's (CreateEnvironmentBlock without a
// user, from userenv.dll in the system directory, loaded on first use). Read once.
const std::vector<std::string>& SystemEnvironment();

// The machine's PATH, from SystemEnvironment; the system and Windows directories when
// it cannot be had.
std::string MachinePath();

// The entries as a block for CreateProcess (CREATE_UNICODE_ENVIRONMENT).
std::wstring EnvironmentBlockOf(const std::vector<std::string>& entries);

#endif  // PLATFORM_SYSTEM_ENVIRONMENT_WIN32_H_
