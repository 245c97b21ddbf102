#include "messages/message_output.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "messages/format_text.h"
#include "messages/messages.h"
#include "platform/system_procedure_win32.h"
#include "platform/windows_prelude.h"

namespace {

// One static buffer: console output never allocates. Not reentrant.
wchar_t g_wide_buffer[1024];

bool HasConsoleHandle() {
  return g_console.output != nullptr && g_console.output != INVALID_HANDLE_VALUE;
}

// UTF-8 as UTF-16, whatever its length; invalid sequences become U+FFFD.
std::wstring WideText(const char* text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], n);
  wide.resize(static_cast<std::size_t>(n - 1));
  return wide;
}

}  // namespace

void ConsolePrint(const char* text) {
  int n = static_cast<int>(std::strlen(text)) + 1;
  int m = MultiByteToWideChar(CP_UTF8, 0, text, n, g_wide_buffer, 1023);
  if (!HasConsoleHandle()) return;
  if (m > 0) {
    WriteConsoleW(static_cast<HANDLE>(g_console.output), g_wide_buffer, static_cast<DWORD>(m - 1),
                  nullptr, nullptr);
  } else {
    std::fwrite(text, 1, static_cast<std::size_t>(n - 1), stdout);
    std::fflush(stdout);
  }
}

void ShowError(const char* text) {
  if (g_console.silent) {
    ConsolePrint(text);
    return;
  }
  // The texts are UTF-8; the ANSI call would show any other language garbled.
  std::wstring wide_text = WideText(text);
  std::wstring wide_caption = WideText(LocalMessage("S_TAV"));
  if (g_console.show_message_box != nullptr) {
    g_console.show_message_box(wide_text.c_str(), wide_caption.c_str());
  } else {
    auto message_box = SystemProcedure<int(WINAPI*)(HWND, const wchar_t*, const wchar_t*, UINT)>(
        "user32.dll", "MessageBoxW");
    if (message_box != nullptr) {
      message_box(nullptr, wide_text.c_str(), wide_caption.c_str(), MB_ICONERROR);
    }
  }
}

void WaitForEnter() {
  // The pause lets a console user read the error; without a console nobody saw it, and
  // nobody can press Enter either.
  if (!g_console.silent || !HasConsoleHandle()) return;
  ConsolePrint(LocalText(msg::S_ENTER_ENTER).c_str());
  std::getchar();
}
