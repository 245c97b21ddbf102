// velcheck [--json] DIR: checks the installation medium whose launcher directory is DIR
// before it ships, and says what the launcher will actually do with each mistake; a
// sealed medium, also every file that differs from its seal.
// velcheck --seal DIR: checks it, then seals it (tools/velcheck/medium_seal_file.h).
// Exit status: 0 nothing found (or sealed), 1 warnings only, 2 an error (nothing
// sealed), 3 DIR cannot be checked.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "platform/medium_seal.h"
#include "tools/velcheck/finding_report.h"
#include "tools/velcheck/medium_check.h"
#include "tools/velcheck/medium_seal_file.h"

namespace {

// Checks the medium, then seals it when it has no error.
int Seal(const std::string& medium) {
  std::vector<Finding> findings;
  if (!CheckMedium(medium, &findings)) {
    std::fprintf(stderr, "velcheck: %s is not a directory\n", medium.c_str());
    return 3;
  }
  std::size_t count = 0;
  if (FindingsStatus(findings) < 2) {
    std::vector<Finding> refusals;
    if (SealMedium(medium, &count, &refusals)) {
      std::fputs(FormatFindingsText(findings).c_str(), stdout);
      std::printf("sealed %zu files: %s/%s\n", count, medium.c_str(), kSealListName);
      return 0;
    }
    findings.insert(findings.end(), refusals.begin(), refusals.end());
  }
  std::fputs(FormatFindingsText(findings).c_str(), stdout);
  std::fputs("velcheck: not sealed\n", stderr);
  return 2;
}

int Check(const std::string& medium, bool json) {
  std::vector<Finding> findings;
  if (!CheckMedium(medium, &findings)) {
    std::fprintf(stderr, "velcheck: %s is not a directory\n", medium.c_str());
    return 3;
  }
  CheckSeal(medium, &findings);
  std::string report = json ? FormatFindingsJson(medium, findings) : FormatFindingsText(findings);
  std::fwrite(report.data(), 1, report.size(), stdout);
  return FindingsStatus(findings);
}

}  // namespace

int main(int argc, char** argv) {
  bool seal = argc == 3 && std::string(argv[1]) == "--seal";
  bool json = argc == 3 && std::string(argv[1]) == "--json";
  if (argc != 2 + (seal || json ? 1 : 0)) {
    std::fputs("usage: velcheck [--json] DIR\n       velcheck --seal DIR\n", stderr);
    return 3;
  }
  // Whatever a medium holds, velcheck reports and exits with a status, never aborts.
  try {
    return seal ? Seal(argv[2]) : Check(argv[argc - 1], json);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "velcheck: %s cannot be checked: %s\n", argv[argc - 1], failure.what());
  }
  return 3;
}
