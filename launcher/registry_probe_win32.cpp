#include "launcher/registry_probe.h"

#include "platform/scoped_reg_key_win32.h"
#include "platform/windows_prelude.h"

namespace {

constexpr char kProbeName[] = "velmor_tav_tmp";
constexpr char kProbeValue[] = "temp value";

}  // namespace

bool CheckRegistryAccess() {
  ScopedRegKey software;
  if (!software.Open(HKEY_LOCAL_MACHINE, "Software", KEY_ALL_ACCESS)) return false;

  // A value of that name that is already there belongs to someone else: it is neither
  // overwritten nor deleted, and the key below still shows whether writing works.
  if (RegQueryValueExA(software.get(), kProbeName, nullptr, nullptr, nullptr, nullptr) !=
      ERROR_SUCCESS) {
    if (RegSetValueExA(software.get(), kProbeName, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(kProbeValue),
                       sizeof kProbeValue) != ERROR_SUCCESS ||
        RegDeleteValueA(software.get(), kProbeName) != ERROR_SUCCESS) {
      return false;
    }
  }

  HKEY probe = nullptr;
  DWORD disposition = 0;
  char key_class[] = "temp key";  // the system's prototype takes a writable class name
  if (RegCreateKeyExA(software.get(), kProbeName, 0, key_class, 0, KEY_ALL_ACCESS, nullptr, &probe,
                      &disposition) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(probe);
  // Only a key the probe made is removed, and it must be gone again.
  return disposition != REG_CREATED_NEW_KEY ||
         RegDeleteKeyA(software.get(), kProbeName) == ERROR_SUCCESS;
}
