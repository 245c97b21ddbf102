#include "staging/scratch_security.h"

#include <gtest/gtest.h>

namespace {

constexpr char kUser[] = "S-1-5-21-1-2-3-1001";

// The texts the directories are created with; the Windows test checks what the system
// builds from them.
TEST(ScratchSecurityDescriptor, AdministratorsOwnItOnlyWhenElevated) {
  struct Row {
    const char* what;
    std::string sddl;
    const char* expected;
  } rows[] = {
      {"elevated", ScratchSecurityDescriptor(kUser, true),
       "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;S-1-5-21-1-2-3-1001)"},
      {"not elevated", ScratchSecurityDescriptor(kUser, false),
       "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;S-1-5-21-1-2-3-1001)"},
      {"kept log", KeptLogSecurityDescriptor(kUser),
       "D:(A;;FA;;;SY)(A;;FA;;;BA)(A;;FA;;;S-1-5-21-1-2-3-1001)"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.sddl, row.expected) << row.what;
}

TEST(IsAdministratorsOnlyDescriptor, OwnerAndEveryChangingGrantDecide) {
  struct Row {
    std::string sddl;
    bool administrators_only;
  } rows[] = {
      // What the launcher makes when elevated, and when not (owner the user, full control).
      {ScratchSecurityDescriptor(kUser, true), true},
      {ScratchSecurityDescriptor(kUser, false), false},
      {"O:" + std::string(kUser) + "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)", false},
      // Owners: the aliases and the SIDs of Administrators and SYSTEM; a group between.
      {"O:SYG:SYD:P(A;;FA;;;BA)", true},
      {"O:S-1-5-32-544D:(A;;FA;;;S-1-5-18)", true},
      {"O:S-1-5-18G:DUD:(A;;FA;;;BA)", true},
      {"O:BUD:(A;;FA;;;BA)", false},
      // No DACL, or a null one, lets everyone in; an empty one lets nobody.
      {"O:BA", false},
      {"O:BAD:NO_ACCESS_CONTROL", false},
      {"O:BAD:P", true},
      // Grants to others: reading is fine, any changing right is not, however written.
      {"O:BAD:(A;;0x1200a9;;;" + std::string(kUser) + ")", true},
      {"O:BAD:(A;;FRFX;;;WD)", true},
      {"O:BAD:(A;;0x2;;;BU)", false},                         // add a file
      {"O:BAD:(A;;LC;;;BU)", false},                          // add a folder
      {"O:BAD:(A;;SD;;;AU)", false},                          // delete
      {"O:BAD:(A;;WD;;;" + std::string(kUser) + ")", false},  // change the rights
      {"O:BAD:(A;;WO;;;WD)", false},                          // take the owner
      {"O:BAD:(A;;GW;;;IU)", false},
      {"O:BAD:(A;;FW;;;BU)", false},
      {"O:BAD:(A;;0x100;;;BU)", false},  // write attributes
      {"O:BAD:(A;;QQ;;;BU)", false},     // unknown rights count as all
      // Passed on only to new items still counts, but for CREATOR OWNER.
      {"O:BAD:(A;OICIIO;FA;;;BU)", false},
      {"O:BAD:(A;OICIIO;GA;;;CO)(A;;FA;;;SY)", true},
      {"O:BAD:(A;;FA;;;CO)", false},
      // Deny entries take away; object and callback allows grant like plain ones.
      {"O:BAD:(D;;FA;;;BU)(A;;FA;;;BA)", true},
      {"O:BAD:(OA;;DC;;;BU)", false},
      {"O:BAD:(XA;;FA;;;BU;(x))", false},
      {"O:BAD:(AU;SA;FA;;;BU)", false},
      {"O:BAD:(A;;FA;;;BA", false},  // cut short
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsAdministratorsOnlyDescriptor(row.sddl), row.administrators_only) << row.sddl;
  }
}

}  // namespace
