// A security descriptor made from its SDDL text, freed on every way out.
#ifndef PLATFORM_SECURITY_DESCRIPTOR_WIN32_H_
#define PLATFORM_SECURITY_DESCRIPTOR_WIN32_H_

#include <string>

#include "platform/windows_prelude.h"

// After windows.h, which it needs.
#include <sddl.h>

class SecurityDescriptor {
 public:
  // Empty (get() null) when `sddl` does not parse.
  explicit SecurityDescriptor(const std::string& sddl) {
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                              &descriptor_, nullptr)) {
      descriptor_ = nullptr;
    }
  }
  SecurityDescriptor(const SecurityDescriptor&) = delete;
  SecurityDescriptor& operator=(const SecurityDescriptor&) = delete;
  ~SecurityDescriptor() {
    if (descriptor_ != nullptr) LocalFree(descriptor_);
  }
  PSECURITY_DESCRIPTOR get() const { return descriptor_; }

 private:
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

#endif  // PLATFORM_SECURITY_DESCRIPTOR_WIN32_H_
