#include "staging/scratch_security.h"

#include <cstdio>

std::string ScratchSecurityDescriptor(const std::string& user_sid, bool elevated) {
  char user_rights[16];
  std::snprintf(user_rights, sizeof user_rights, "0x%lx", kReadAndExecuteAccess);
  // OICI: files and folders below inherit each entry; P: TEMP's entries are not merged in.
  std::string sddl = elevated ? "O:BA" : "";
  sddl += "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;";
  sddl += elevated ? user_rights : "FA";
  sddl += ";;;" + user_sid + ")";
  return sddl;
}

std::string KeptLogSecurityDescriptor(const std::string& user_sid) {
  return "D:(A;;FA;;;SY)(A;;FA;;;BA)(A;;FA;;;" + user_sid + ")";
}
