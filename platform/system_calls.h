// The few system services the launch's decisions use, as one table of calls in the
// manner of SQLite's system-call table: each build fills it with its own (the Windows
// build: the console, message boxes, the C runtime's standard streams and _access; the
// native build: POSIX stand-ins), and a test may put its own calls in while it runs.
// What only decides goes through these, so it builds and is tested natively. The table
// holds calls only: what they act on (the console's handle) belongs to their callers.
#ifndef PLATFORM_SYSTEM_CALLS_H_
#define PLATFORM_SYSTEM_CALLS_H_

#include <string>

struct SystemCalls {
  // Writes the UTF-8 `text` to `console`, a handle standard_output gave.
  void (*write_console)(void* console, const char* text);
  // Shows an error box with the UTF-8 `text` and `caption`.
  void (*show_error_box)(const char* text, const char* caption);
  // The next character of standard input; EOF at its end or on an error.
  int (*read_input_char)();
  // Drops what standard input holds unread, so that no answer typed ahead is taken.
  void (*discard_input)();
  // Writes out what standard output holds buffered.
  void (*flush_output)();
  // `text` and the C runtime's last error on standard error, as perror writes them.
  void (*report_error)(const char* text);
  // Whether `path` names a file or a directory.
  bool (*path_exists)(const std::string& path);
  // The process's standard output handle, where console text goes.
  void* (*standard_output)();
};

// The calls of this build.
extern const SystemCalls kSystemCalls;

// The calls in use: this build's, unless a ScopedSystemCalls has put others in.
extern SystemCalls g_system;

// Puts `calls` in use for its lifetime and this build's back when it goes. One at a
// time: a second would take the first's calls for the build's own.
class ScopedSystemCalls {
 public:
  explicit ScopedSystemCalls(const SystemCalls& calls);
  ~ScopedSystemCalls();
  ScopedSystemCalls(const ScopedSystemCalls&) = delete;
  ScopedSystemCalls& operator=(const ScopedSystemCalls&) = delete;
};

#endif  // PLATFORM_SYSTEM_CALLS_H_
