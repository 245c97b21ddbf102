#include "launcher/launch_settings.h"

#include "platform/text_buffer.h"

std::string FormatTimestamp(std::time_t when) {
  char buffer[kTextBufferSize];
  const std::tm* local = std::localtime(&when);
  if (local == nullptr || std::strftime(buffer, sizeof buffer, "%Y-%m-%d_%I-%M-%S%p", local) == 0) {
    return std::string();
  }
  return buffer;
}
