#include "staging/held_item_retry_win32.h"

#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "platform/system_text.h"
#include "platform/windows_prelude.h"

bool HeldItemRetry::ShouldRetry(const std::string& path, unsigned long error) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  bool read_only = exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (!IsRetryableError(error, exists, read_only)) return false;
  int pause = budget_.NextPause();
  if (pause < 0) return false;
  Note(BaseText(msg::S_RETRYING_HELD_ITEM, SystemTextToUtf8(path.c_str()).c_str(),
                static_cast<int>(error), pause));
  Sleep(static_cast<DWORD>(pause));
  return true;
}

void HeldItemRetry::Note(const std::string& line) const {
  if (!to_installer_log_) {
    // The kept copy is written as the log was: text with CR LF line ends.
    std::string text;
    for (char c : line) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    DWORD written = 0;
    if (kept_log_ != nullptr) {
      WriteFile(static_cast<HANDLE>(kept_log_), text.data(), static_cast<DWORD>(text.size()),
                &written, nullptr);
    }
  } else {
    WriteLog(line.c_str());
  }
}
