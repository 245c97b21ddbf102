#include "platform/system_text.h"

#include <cstring>

#include "platform/wide_text_win32.h"
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

std::wstring Utf8ToWide(const char* text) {
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], n);
  wide.resize(static_cast<std::size_t>(n - 1));
  return wide;
}

std::wstring SystemTextToWide(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length) - 1);
  return wide;
}

std::string WideToSystemText(const wchar_t* wide) {
  UINT code_page = GetACP();
  // UTF-8 spells everything, and refuses the exactness check.
  DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL inexact = FALSE;
  BOOL* check = code_page == CP_UTF8 ? nullptr : &inexact;
  int length = WideCharToMultiByte(code_page, flags, wide, -1, nullptr, 0, nullptr, check);
  if (length <= 0 || inexact) return std::string();
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, flags, wide, -1, &text[0], length, nullptr, nullptr);
  text.resize(static_cast<std::size_t>(length) - 1);
  return text;
}
