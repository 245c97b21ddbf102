#include "launcher/registry_probe.h"

#include <gtest/gtest.h>

#include "platform/windows_prelude.h"

namespace {

bool ProbeValueExists() {
  HKEY software;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &software) != ERROR_SUCCESS) {
    return false;
  }
  bool exists = RegQueryValueExA(software, "velmor_tav_tmp", nullptr, nullptr, nullptr, nullptr) ==
                ERROR_SUCCESS;
  RegCloseKey(software);
  return exists;
}

bool ProbeKeyExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\velmor_tav_tmp", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

TEST(CheckRegistryAccess, SucceedsAndLeavesNothingBehind) {
  ASSERT_FALSE(ProbeValueExists());
  ASSERT_FALSE(ProbeKeyExists());
  EXPECT_TRUE(CheckRegistryAccess());
  EXPECT_FALSE(ProbeValueExists());
  EXPECT_FALSE(ProbeKeyExists());
}

TEST(CheckRegistryAccess, LeavesAValueAndAKeyOfItsNameThatWereThereBefore) {
  HKEY software;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS, &software),
            ERROR_SUCCESS);
  const char theirs[] = "their value";
  ASSERT_EQ(RegSetValueExA(software, "velmor_tav_tmp", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(theirs), sizeof theirs),
            ERROR_SUCCESS);
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(software, "velmor_tav_tmp", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);

  EXPECT_TRUE(CheckRegistryAccess());

  char value[64] = "";
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(software, "velmor_tav_tmp", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(value), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, theirs);
  EXPECT_TRUE(ProbeKeyExists());
  RegDeleteValueA(software, "velmor_tav_tmp");
  RegDeleteKeyA(software, "velmor_tav_tmp");
  RegCloseKey(software);
  EXPECT_FALSE(ProbeValueExists());
  EXPECT_FALSE(ProbeKeyExists());
}

TEST(CheckRegistryAccess, FailsWhereSoftwareCannotBeOpened) {
  // HKEY_LOCAL_MACHINE mapped, for this process only, to a key without "Software".
  HKEY empty;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VelProbeTest\\NoSoftware", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &empty, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, empty), ERROR_SUCCESS);
  bool result = CheckRegistryAccess();
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegCloseKey(empty);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VelProbeTest\\NoSoftware");
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VelProbeTest");
  EXPECT_FALSE(result);
  EXPECT_TRUE(CheckRegistryAccess());
}

}  // namespace
