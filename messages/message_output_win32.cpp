#include "messages/message_output.h"

#include <cstdio>
#include <cstring>

#include "messages/format_text.h"
#include "messages/messages.h"
#include "platform/windows_prelude.h"

namespace {

// One static buffer: console output never allocates. Not reentrant.
wchar_t g_wide_buffer[1024];

bool HasConsoleHandle() {
  return g_console.output != nullptr && g_console.output != INVALID_HANDLE_VALUE;
}

}  // namespace

void ConsolePrint(const char* text) {
  int n = static_cast<int>(std::strlen(text)) + 1;
  int m = MultiByteToWideChar(CP_UTF8, 0, text, n, g_wide_buffer, 1023);
  if (!HasConsoleHandle()) return;
  if (m > 0) {
    WriteConsoleW(static_cast<HANDLE>(g_console.output), g_wide_buffer,
                  static_cast<DWORD>(m - 1), nullptr, nullptr);
  } else {
    std::fwrite(text, 1, static_cast<std::size_t>(n - 1), stdout);
    std::fflush(stdout);
  }
}

void ShowError(const char* text) {
  if (g_console.silent) {
    ConsolePrint(text);
  } else {
    MessageBoxA(nullptr, text, LocalMessage("S_TAV"), MB_ICONERROR);
  }
}

void WaitForEnter() {
  if (!g_console.silent) return;
  ConsolePrint(LocalText(msg::S_ENTER_ENTER).c_str());
  std::getchar();
}
