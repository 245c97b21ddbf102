// A kernel handle that is closed on every way out.
#ifndef PLATFORM_SCOPED_HANDLE_WIN32_H_
#define PLATFORM_SCOPED_HANDLE_WIN32_H_

#include "platform/windows_prelude.h"

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ~ScopedHandle() { Close(); }
  void Close() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = nullptr;
  }
  // Closes the handle held and holds `handle` instead.
  void Reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

#endif  // PLATFORM_SCOPED_HANDLE_WIN32_H_
