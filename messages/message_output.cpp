#include "messages/message_output.h"

#include "messages/box_text.h"
#include "messages/format_text.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "platform/system_calls.h"

namespace {
void* g_console = nullptr;
}  // namespace

void SetConsoleOutput(void* handle) { g_console = handle; }

bool HasConsole() { return g_console != nullptr && g_console != reinterpret_cast<void*>(-1); }

void ConsolePrint(const char* text) {
  if (HasConsole()) g_system.write_console(g_console, text);
}

void ShowError(const char* text) {
  if (g_run_flags.silent) {
    ConsolePrint(text);
    return;
  }
  g_system.show_error_box(BoxText(text).c_str(), LocalMessage(msg::S_TAV));
}

void WaitForEnter() {
  // The pause lets a console user read the error; without a console nobody saw it, and
  // nobody can press Enter either.
  if (!g_run_flags.silent || !HasConsole()) return;
  ConsolePrint(LocalText(msg::S_ENTER_ENTER).c_str());
  g_system.read_input_char();
}
