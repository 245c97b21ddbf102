// The few system services the launch's decisions use, as one table of calls in the
// manner of SQLite's system-call table: each build fills it with its own (the Windows
// build: the console, message boxes, the C runtime's standard input and _access; the
// native build: POSIX stand-ins), and a test may put its own calls in while it runs.
// What only decides goes through these, so it builds and is tested natively.
#ifndef PLATFORM_SYSTEM_CALLS_H_
#define PLATFORM_SYSTEM_CALLS_H_

#include <string>

struct SystemCalls {
  // Where console text goes: the standard output handle once the catalogue is loaded
  // and again once the console window exists. Null or INVALID_HANDLE_VALUE drops it.
  void* console = nullptr;
  // Writes the UTF-8 `text` to `console`.
  void (*write_console)(void* console, const char* text) = nullptr;
  // Shows an error box with the UTF-8 `text` and `caption`.
  void (*show_error_box)(const char* text, const char* caption) = nullptr;
  // The next character of standard input; EOF at its end or on an error.
  int (*read_input_char)() = nullptr;
  // Whether `path` names a file or a directory.
  bool (*path_exists)(const std::string& path) = nullptr;
};

// The calls of this process.
extern SystemCalls g_system;

// Whether console text has somewhere to go.
inline bool HasConsole() {
  return g_system.console != nullptr && g_system.console != reinterpret_cast<void*>(-1);
}

#endif  // PLATFORM_SYSTEM_CALLS_H_
