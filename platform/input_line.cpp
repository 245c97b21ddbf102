#include "platform/input_line.h"

#include <cstdio>

#include "platform/system_calls.h"

char* ReadInputLine(char* buffer, int size) {
  if (size <= 0) return nullptr;
  int length = 0;
  while (length < size - 1) {
    int c = g_system.read_input_char();
    if (c == EOF) break;
    buffer[length++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[length] = '\0';
  return length == 0 ? nullptr : buffer;
}
