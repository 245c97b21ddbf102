#include "staging/scratch_security.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

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

namespace {

// Rights that change a directory, what it holds, or who may: add a file or folder,
// write extended attributes or attributes, delete a child or itself, change the rights
// or the owner; with the generic write and all, and the most the holder can get.
constexpr unsigned long kChangingRights = 0x2 | 0x4 | 0x10 | 0x40 | 0x100 | 0x10000 | 0x40000 |
                                          0x80000 | 0x2000000 | 0x10000000 | 0x40000000;

// The two-letter rights of SDDL and their bits.
struct RightName {
  const char* name;
  unsigned long bits;
};
constexpr RightName kRightNames[] = {
    {"GA", 0x10000000}, {"GR", 0x80000000}, {"GW", 0x40000000}, {"GX", 0x20000000},
    {"RC", 0x20000},    {"SD", 0x10000},    {"WD", 0x40000},    {"WO", 0x80000},
    {"RP", 0x10},       {"WP", 0x20},       {"CC", 0x1},        {"DC", 0x2},
    {"LC", 0x4},        {"SW", 0x8},        {"LO", 0x80},       {"DT", 0x40},
    {"CR", 0x100},      {"FA", 0x1f01ff},   {"FR", 0x120089},   {"FW", 0x120116},
    {"FX", 0x1200a0},
};

// The bits of an SDDL rights text: a number ("0x1200a9") or two-letter names
// ("FRWD"). Anything else counts as every right.
unsigned long RightsOf(std::string_view text) {
  if (text.empty()) return 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string number(text);
    char* end = nullptr;
    unsigned long bits = std::strtoul(number.c_str(), &end, 16);
    return *end == '\0' ? bits : ~0ul;
  }
  unsigned long bits = 0;
  for (std::size_t at = 0; at < text.size(); at += 2) {
    std::string_view name = text.substr(at, 2);
    bool known = false;
    for (const RightName& right : kRightNames) {
      if (name == right.name) {
        bits |= right.bits;
        known = true;
      }
    }
    if (!known) return ~0ul;
  }
  return bits;
}

bool IsAdministratorsOrSystem(std::string_view sid) {
  return sid == "BA" || sid == "SY" || sid == "S-1-5-32-544" || sid == "S-1-5-18";
}

// One entry's fields: type;flags;rights;object;inherited object;account.
bool AllowsOnlyAdministratorsToChange(std::string_view ace) {
  std::string_view fields[6];
  for (std::string_view& field : fields) {
    std::size_t end = ace.find(';');
    field = ace.substr(0, end);
    ace = end == std::string_view::npos ? std::string_view() : ace.substr(end + 1);
  }
  std::string_view type = fields[0], flags = fields[1], account = fields[5];
  // Deny entries only take rights away; audit and label entries do not belong in a DACL.
  if (type == "D" || type == "OD" || type == "XD") return true;
  if (type != "A" && type != "OA" && type != "XA" && type != "ZA") return false;
  if ((RightsOf(fields[2]) & kChangingRights) == 0) return true;
  if (IsAdministratorsOrSystem(account)) return true;
  // CREATOR OWNER passed on to new items only: whoever may create them is checked above.
  bool passed_on_only = flags.find("IO") != std::string_view::npos;
  return passed_on_only && (account == "CO" || account == "S-1-3-0");
}

}  // namespace

bool IsAdministratorsOnlyDescriptor(const std::string& sddl) {
  std::string_view text = sddl;
  if (text.compare(0, 2, "O:") != 0) return false;
  std::size_t owner_end = text.find_first_of(":", 2);
  if (owner_end == std::string_view::npos || owner_end < 3) return false;
  // The owner runs up to the next part's letter ("G:", "D:" or "S:").
  std::string_view owner = text.substr(2, owner_end - 3);
  if (!IsAdministratorsOrSystem(owner)) return false;
  std::size_t dacl = text.find("D:", owner_end - 1);
  if (dacl == std::string_view::npos) return false;
  std::string_view entries = text.substr(dacl + 2);
  std::size_t sacl = entries.find("S:");
  if (sacl != std::string_view::npos) entries = entries.substr(0, sacl);
  if (entries.find("NO_ACCESS_CONTROL") != std::string_view::npos) return false;
  std::size_t at = entries.find('(');
  while (at != std::string_view::npos) {
    std::size_t end = entries.find(')', at);
    if (end == std::string_view::npos) return false;
    if (!AllowsOnlyAdministratorsToChange(entries.substr(at + 1, end - at - 1))) return false;
    at = entries.find('(', end);
  }
  return true;
}
