// Who may change the scratch directory.
//
// The launcher runs elevated but stages into the user's own TEMP, where any process of
// the user could otherwise replace a staged runtime, jar or folder before the elevated
// installer uses it. So the scratch directory gets its own access rules, set when it is
// created and inherited by everything staged below it: owner Administrators; SYSTEM and
// Administrators full control; the user who started the launcher read and execute. The
// rules are not merged with TEMP's (the list is protected).
//
// A launcher that is not elevated has nothing above the user to protect: the user then
// keeps full control, and the owner is left to the system (the user).
#ifndef STAGING_SCRATCH_SECURITY_H_
#define STAGING_SCRATCH_SECURITY_H_

#include <string>

// Read, list, traverse and execute, with the rights to read attributes and the access
// rules: what the user keeps on a protected scratch directory.
constexpr unsigned long kReadAndExecuteAccess = 0x1200a9;

// The scratch directory's security descriptor as an SDDL text, for the user whose SID
// is `user_sid` ("S-1-5-21-..."):
// elevated:     "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;<sid>)"
// not elevated: "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;<sid>)"
std::string ScratchSecurityDescriptor(const std::string& user_sid, bool elevated);

// The installer log kept in TEMP once the scratch directory is gone is the user's again:
// "D:(A;;FA;;;SY)(A;;FA;;;BA)(A;;FA;;;<sid>)".
std::string KeptLogSecurityDescriptor(const std::string& user_sid);

// Whether a directory whose security descriptor is `sddl` (owner and DACL, as
// ConvertSecurityDescriptorToStringSecurityDescriptor writes them) can be changed by
// administrators only: its owner is Administrators or SYSTEM, it has a DACL, and no
// entry of it allows anyone else to write, delete or change rights or owner, on the
// directory or on what it passes on to new items (CREATOR OWNER may be passed on only).
// An elevated launcher uses a given scratch directory only then:
// "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;S-1-5-21-1)" is one.
bool IsAdministratorsOnlyDescriptor(const std::string& sddl);

#endif  // STAGING_SCRATCH_SECURITY_H_
