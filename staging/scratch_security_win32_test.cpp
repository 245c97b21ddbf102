#include "staging/scratch_security.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/security_descriptor_win32.h"
#include "platform/windows_prelude.h"

namespace {

constexpr char kUser[] = "S-1-5-21-1-2-3-1001";
constexpr BYTE kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

struct Ace {
  std::string sid;
  ACCESS_MASK mask;
  BYTE flags;
  bool operator==(const Ace& o) const { return sid == o.sid && mask == o.mask && flags == o.flags; }
};

std::string SidText(PSID sid) {
  char* text = nullptr;
  if (sid == nullptr || !ConvertSidToStringSidA(sid, &text)) return "<none>";
  std::string result = text;
  LocalFree(text);
  return result;
}

// What the system makes of `sddl`: its owner, whether its list is protected, its entries.
struct Built {
  std::string owner;
  bool protected_list = false;
  std::vector<Ace> aces;
};

Built Build(const std::string& sddl) {
  SecurityDescriptor descriptor(sddl);
  EXPECT_NE(descriptor.get(), nullptr) << sddl;
  Built built;
  if (descriptor.get() == nullptr) return built;
  PSID owner = nullptr;
  BOOL defaulted = FALSE;
  GetSecurityDescriptorOwner(descriptor.get(), &owner, &defaulted);
  built.owner = SidText(owner);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor.get(), &control, &revision);
  built.protected_list = (control & SE_DACL_PROTECTED) != 0;
  BOOL present = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(descriptor.get(), &present, &dacl, &defaulted);
  for (DWORD i = 0; present && dacl != nullptr && i < dacl->AceCount; ++i) {
    void* entry = nullptr;
    if (!GetAce(dacl, i, &entry)) break;
    auto* ace = static_cast<ACCESS_ALLOWED_ACE*>(entry);
    EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    built.aces.push_back({SidText(&ace->SidStart), ace->Mask, ace->Header.AceFlags});
  }
  return built;
}

TEST(ScratchSecurity, ElevatedScratchIsAdministratorsWithTheUserReadingBelowIt) {
  Built built = Build(ScratchSecurityDescriptor(kUser, true));
  EXPECT_EQ(built.owner, "S-1-5-32-544");
  EXPECT_TRUE(built.protected_list);
  std::vector<Ace> expected = {{"S-1-5-18", FILE_ALL_ACCESS, kInherited},
                               {"S-1-5-32-544", FILE_ALL_ACCESS, kInherited},
                               {kUser, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE, kInherited}};
  EXPECT_EQ(built.aces, expected);
  // Reading and listing, but neither writing, adding nor deleting anything below.
  ACCESS_MASK user = built.aces.size() == 3 ? built.aces[2].mask : 0;
  EXPECT_EQ(user & (FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                    WRITE_OWNER | FILE_WRITE_ATTRIBUTES),
            0u);
}

TEST(ScratchSecurity, NotElevatedTheUserKeepsFullControlAndOwnership) {
  Built built = Build(ScratchSecurityDescriptor(kUser, false));
  EXPECT_EQ(built.owner, "<none>");
  EXPECT_TRUE(built.protected_list);
  std::vector<Ace> expected = {{"S-1-5-18", FILE_ALL_ACCESS, kInherited},
                               {"S-1-5-32-544", FILE_ALL_ACCESS, kInherited},
                               {kUser, FILE_ALL_ACCESS, kInherited}};
  EXPECT_EQ(built.aces, expected);
}

TEST(ScratchSecurity, KeptLogIsTheUsersToReadAndDelete) {
  Built built = Build(KeptLogSecurityDescriptor(kUser));
  EXPECT_EQ(built.owner, "<none>");
  std::vector<Ace> expected = {{"S-1-5-18", FILE_ALL_ACCESS, 0},
                               {"S-1-5-32-544", FILE_ALL_ACCESS, 0},
                               {kUser, FILE_ALL_ACCESS, 0}};
  EXPECT_EQ(built.aces, expected);
}

}  // namespace
