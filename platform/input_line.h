// Lines typed at the console, read through the system-call table.
#ifndef PLATFORM_INPUT_LINE_H_
#define PLATFORM_INPUT_LINE_H_

// Reads standard input as fgets does: at most `size` - 1 characters, up to and with
// the first newline, then a NUL. Null when input ends before any character.
char* ReadInputLine(char* buffer, int size);

#endif  // PLATFORM_INPUT_LINE_H_
