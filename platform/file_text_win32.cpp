#include "platform/file_text.h"

#include "platform/windows_prelude.h"

namespace {

// The ANSI code page of the system's locale, which programs without the UTF-8 setting
// use; 1252 when the locale does not say.
UINT LegacyCodePage() {
  DWORD code_page = 0;
  if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                     reinterpret_cast<wchar_t*>(&code_page),
                     sizeof code_page / sizeof(wchar_t)) == 0 ||
      code_page == 0 || code_page == CP_UTF8) {
    return 1252;
  }
  return code_page;
}

}  // namespace

std::string FileTextToSystemText(const std::string& bytes) {
  if (GetACP() != CP_UTF8 || !IsLegacyText(bytes)) return bytes;
  UINT code_page = LegacyCodePage();
  int n = static_cast<int>(bytes.size());
  int wide_size = MultiByteToWideChar(code_page, 0, bytes.data(), n, nullptr, 0);
  if (wide_size <= 0) return bytes;
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), n, &wide[0], wide_size);
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return bytes;
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_size, &text[0], size, nullptr, nullptr);
  return text;
}
