#include "platform/system_text.h"

#include <cstring>

#include "platform/windows_prelude.h"

namespace {

bool IsAscii(const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string SystemTextToUtf8(const char* text) {
  std::size_t size = std::strlen(text);
  if (IsAscii(text, size)) return std::string(text, size);
  int n = static_cast<int>(size);
  int wide_size = MultiByteToWideChar(CP_ACP, 0, text, n, nullptr, 0);
  if (wide_size <= 0) return std::string(text, size);
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, n, &wide[0], wide_size);
  int utf8_size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
  if (utf8_size <= 0) return std::string(text, size);
  std::string utf8(static_cast<std::size_t>(utf8_size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, &utf8[0], utf8_size, nullptr, nullptr);
  return utf8;
}
