#include "platform/final_path_win32.h"

#include <vector>

#include "platform/wide_text_win32.h"

std::wstring FinalWidePathOf(HANDLE handle) {
  std::vector<wchar_t> path(MAX_PATH + 1);
  DWORD flags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
  DWORD length =
      GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), flags);
  if (length >= path.size()) {
    path.resize(length + 1);
    length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), flags);
  }
  if (length == 0 || length >= path.size()) return std::wstring();
  std::wstring text(path.data(), length);
  if (text.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + text.substr(8);
  if (text.compare(0, 4, L"\\\\?\\") == 0) return text.substr(4);
  return text;
}

std::string FinalPathOf(HANDLE handle) {
  std::wstring wide = FinalWidePathOf(handle);
  return wide.empty() ? std::string() : WideToSystemText(wide.c_str());
}

bool IsSamePath(const std::wstring& a, const std::wstring& b) {
  return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                            static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}
