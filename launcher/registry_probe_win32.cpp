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
  if (RegSetValueExA(software.get(), kProbeName, 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(kProbeValue),
                     sizeof kProbeValue) != ERROR_SUCCESS) {
    return false;
  }
  RegDeleteValueA(software.get(), kProbeName);

  HKEY probe = nullptr;
  char key_class[] = "temp key";  // the system's prototype takes a writable class name
  if (RegCreateKeyExA(software.get(), kProbeName, 0, key_class, 0, KEY_ALL_ACCESS, nullptr, &probe,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegDeleteKeyA(software.get(), kProbeName);
  RegCloseKey(probe);
  return true;
}
