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

// SYSTEM and Administrators full control, then the user with `user_mask`.
std::vector<Ace> ExpectedAces(ACCESS_MASK user_mask, BYTE flags) {
  return {{"S-1-5-18", FILE_ALL_ACCESS, flags},
          {"S-1-5-32-544", FILE_ALL_ACCESS, flags},
          {kUser, user_mask, flags}};
}

TEST(ScratchSecurity, EachDescriptorAsTheSystemBuildsIt) {
  const ACCESS_MASK kReadExecute = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
  struct Row {
    const char* what;
    std::string sddl;
    const char* owner;
    bool protected_list;
    std::vector<Ace> aces;
  } rows[] = {
      // Elevated: the administrators' own, the user reads below it.
      {"elevated", ScratchSecurityDescriptor(kUser, true), "S-1-5-32-544", true,
       ExpectedAces(kReadExecute, kInherited)},
      // Not elevated: nothing above the user to protect.
      {"not elevated", ScratchSecurityDescriptor(kUser, false), "<none>", true,
       ExpectedAces(FILE_ALL_ACCESS, kInherited)},
      // The log kept in TEMP is the user's to read and delete.
      {"kept log", KeptLogSecurityDescriptor(kUser), "<none>", false,
       ExpectedAces(FILE_ALL_ACCESS, 0)},
  };
  for (const Row& row : rows) {
    Built built = Build(row.sddl);
    EXPECT_EQ(built.owner, row.owner) << row.what;
    EXPECT_EQ(built.protected_list, row.protected_list) << row.what;
    EXPECT_EQ(built.aces, row.aces) << row.what;
  }
}

}  // namespace
