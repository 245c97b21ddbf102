#include "messages/format_text.h"

#include <cstdio>

#include "messages/messages.h"
#include "platform/text_buffer.h"

std::string FormatTextV(const char* format, va_list args) {
  char buffer[kTextBufferSize];
  int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (n < 0) return std::string();
  return std::string(buffer);
}

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatTextV(format, args);
  va_end(args);
  return text;
}

namespace message_detail {

// The one place a format is not a literal: a catalogue text, which the loader accepted
// only when its conversions fit the key's kinds, formatted with arguments the caller's
// template checked against the same kinds.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"

std::string FormatLocalText(const char* key, ...) {
  va_list args;
  va_start(args, key);
  std::string text = FormatTextV(LocalMessageNamed(key), args);
  va_end(args);
  return text;
}

std::string FormatBaseText(const char* key, ...) {
  va_list args;
  va_start(args, key);
  std::string text = FormatTextV(BaseMessageNamed(key), args);
  va_end(args);
  return text;
}

#pragma GCC diagnostic pop

}  // namespace message_detail
