#include "messages/format_text.h"

#include <cstdarg>
#include <cstdio>

#include "platform/text_buffer.h"

std::string FormatText(const char* format, ...) {
  char buffer[kTextBufferSize];
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return std::string();
  return std::string(buffer);
}
