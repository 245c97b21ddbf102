#include "platform/module_path_win32.h"

#include <vector>

#include "platform/text_buffer.h"
#include "platform/wide_text_win32.h"
#include "platform/windows_prelude.h"

bool GetModulePath(std::string* path) {
  path->clear();
  std::vector<wchar_t> module(MAX_PATH + 1);
  for (;;) {
    DWORD size = static_cast<DWORD>(module.size());
    DWORD length = GetModuleFileNameW(nullptr, module.data(), size);
    if (length == 0) return false;
    if (length < size) break;
    // Cut to fit: read again with room to spare.
    if (module.size() >= 32768) return false;
    module.resize(module.size() * 2);
  }
  std::string text = WideToSystemText(module.data());
  if (text.empty() || text.size() > kMaxTextLength) return false;
  *path = text;
  return true;
}
