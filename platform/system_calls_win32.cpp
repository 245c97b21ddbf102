#include "platform/system_calls.h"

#include <io.h>

#include <cstdio>
#include <cstring>

#include "platform/system_procedure_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/windows_prelude.h"

namespace {

// One static buffer: console output never allocates. Not reentrant.
wchar_t g_wide_buffer[1024];

// Through WriteConsoleW, so that any language shows whatever the console's code page;
// a text too long for the 1023-unit buffer goes to standard output unconverted.
void WriteConsoleText(void* console, const char* text) {
  int n = static_cast<int>(std::strlen(text)) + 1;
  int m = MultiByteToWideChar(CP_UTF8, 0, text, n, g_wide_buffer, 1023);
  if (m > 0) {
    WriteConsoleW(static_cast<HANDLE>(console), g_wide_buffer, static_cast<DWORD>(m - 1), nullptr,
                  nullptr);
  } else {
    std::fwrite(text, 1, static_cast<std::size_t>(n - 1), stdout);
    std::fflush(stdout);
  }
}

// Through the wide call: the ANSI one would show any other language garbled.
void ShowErrorBox(const char* text, const char* caption) {
  auto message_box = SystemProcedure<int(WINAPI*)(HWND, const wchar_t*, const wchar_t*, UINT)>(
      "user32.dll", "MessageBoxW");
  if (message_box != nullptr) {
    message_box(nullptr, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), MB_ICONERROR);
  }
}

int ReadInputChar() { return std::getchar(); }

// The C runtime drops a console's unread input on a flush of stdin.
void DiscardInput() { std::fflush(stdin); }

void FlushOutput() { std::fflush(stdout); }

void ReportError(const char* text) { std::perror(text); }

bool PathExistsOnDisk(const std::string& path) { return _access(path.c_str(), 0) == 0; }

void* StandardOutput() { return GetStdHandle(STD_OUTPUT_HANDLE); }

}  // namespace

const SystemCalls kSystemCalls = {WriteConsoleText, ShowErrorBox, ReadInputChar,    DiscardInput,
                                  FlushOutput,      ReportError,  PathExistsOnDisk, StandardOutput};
SystemCalls g_system = kSystemCalls;
