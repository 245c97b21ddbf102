#include "launcher/console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>

#include "messages/messages.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"

namespace {

// Points the runtime library's stream `stream` (descriptor `fd`) at the handle `which`.
void RebindStream(DWORD which, int fd, std::FILE* stream) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  // The descriptor may already be on the console, when the launcher was started from
  // one; closing it to rebind would close the console handle itself.
  if (_get_osfhandle(fd) != reinterpret_cast<std::intptr_t>(handle)) {
    int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), _O_TEXT);
    if (descriptor < 0) return;
    // The standard stream keeps its descriptor number, so every user of stdout, stdin
    // and stderr sees the console. `descriptor` stays open: it owns the handle.
    if (descriptor != fd) _dup2(descriptor, fd);
  }
  _setmode(fd, _O_TEXT);
  std::setvbuf(stream, nullptr, _IONBF, 0);
}

}  // namespace

void SetUpConsole() {
  AllocConsole();
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info = {};
  GetConsoleScreenBufferInfo(output, &info);
  info.dwSize.X = 80;
  info.dwSize.Y = 2000;
  SetConsoleScreenBufferSize(output, info.dwSize);
  SetConsoleTitleA("Velmor Tavrun Installer");
  info.srWindow.Bottom = static_cast<SHORT>(info.srWindow.Top + 40);
  SetConsoleWindowInfo(output, TRUE, &info.srWindow);

  RebindStream(STD_OUTPUT_HANDLE, 1, stdout);
  RebindStream(STD_INPUT_HANDLE, 0, stdin);
  RebindStream(STD_ERROR_HANDLE, 2, stderr);
}
