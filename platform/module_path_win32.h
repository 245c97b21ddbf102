// The launcher's own path, read whole.
#ifndef PLATFORM_MODULE_PATH_WIN32_H_
#define PLATFORM_MODULE_PATH_WIN32_H_

#include <string>

// The path of the running program, read in full through the wide call (any length)
// and given in the ANSI code page. False, with `*path` empty, when it cannot be read,
// cannot be spelt there, or passes the 1023 characters of the launcher's buffers: a
// path cut short would name another directory.
bool GetModulePath(std::string* path);

#endif  // PLATFORM_MODULE_PATH_WIN32_H_
