// A registry key that is closed on every way out.
#ifndef PLATFORM_SCOPED_REG_KEY_WIN32_H_
#define PLATFORM_SCOPED_REG_KEY_WIN32_H_

#include "platform/windows_prelude.h"

class ScopedRegKey {
 public:
  ScopedRegKey() = default;
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;
  ~ScopedRegKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  // Opens `subkey` of `root` with `access`; false when it cannot be opened.
  bool Open(HKEY root, const char* subkey, REGSAM access) {
    return OpenWithStatus(root, subkey, access) == ERROR_SUCCESS;
  }
  // The same, giving the registry's status: ERROR_SUCCESS or why it failed.
  LONG OpenWithStatus(HKEY root, const char* subkey, REGSAM access) {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
    LONG status = RegOpenKeyExA(root, subkey, 0, access, &key_);
    if (status != ERROR_SUCCESS) key_ = nullptr;
    return status;
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

#endif  // PLATFORM_SCOPED_REG_KEY_WIN32_H_
