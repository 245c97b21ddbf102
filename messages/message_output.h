// How the launcher speaks to the user: the console, message boxes, the Enter pause.
//
// Console text is UTF-8, written through the system-call table (platform/system_calls.h):
// on Windows as UTF-16 with WriteConsoleW, so that any language shows correctly whatever
// the console's code page. Without a console handle console text is dropped.
#ifndef MESSAGES_MESSAGE_OUTPUT_H_
#define MESSAGES_MESSAGE_OUTPUT_H_

// Where console text goes: a handle of g_system.standard_output, or null (or
// INVALID_HANDLE_VALUE) to drop it. The launch sets it once the catalogue is loaded,
// again once its console exists, and to null for -NOCONSOLE.
void SetConsoleOutput(void* handle);

// Whether console text has somewhere to go.
bool HasConsole();

// Writes the UTF-8 `text` to the console.
void ConsolePrint(const char* text);

// An error that must be seen: on the console in silent mode, otherwise in a message
// box captioned with S_TAV and the error icon, shown through the wide call so that any
// language reads right.
void ShowError(const char* text);

// In silent mode with a console: prints S_ENTER_ENTER and reads one character from
// standard input. Otherwise (not silent, or -NOCONSOLE, where nobody saw the error nor
// can answer) does nothing.
void WaitForEnter();

#endif  // MESSAGES_MESSAGE_OUTPUT_H_
