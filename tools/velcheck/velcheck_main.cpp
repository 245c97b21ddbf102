// velcheck [--json] DIR: checks the installation medium whose launcher directory is DIR
// before it ships, and says what the launcher will actually do with each mistake; a
// sealed medium, also every file that differs from its seal.
// velcheck --seal DIR: checks it, then seals it (tools/velcheck/medium_seal_file.h).
// Exit status: 0 nothing found (or sealed), 1 warnings only, 2 an error (nothing
// sealed), 3 DIR cannot be checked.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/medium_seal.h"
#include "tools/velcheck/medium_check.h"
#include "tools/velcheck/medium_seal_file.h"

namespace {

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (u < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

void PrintJson(const std::string& medium, const std::vector<Finding>& findings) {
  std::printf("{\"medium\": %s, \"findings\": [", JsonString(medium).c_str());
  const char* separator = "";
  for (const Finding& f : findings) {
    std::printf(
        "%s\n  {\"severity\": \"%s\", \"file\": %s, \"line\": %s, \"key\": %s, "
        "\"message\": %s}",
        separator, f.severity == Severity::kError ? "error" : "warning", JsonString(f.file).c_str(),
        f.line > 0 ? std::to_string(f.line).c_str() : "null",
        f.key.empty() ? "null" : JsonString(f.key).c_str(), JsonString(f.message).c_str());
    separator = ",";
  }
  std::printf("%s]}\n", findings.empty() ? "" : "\n");
}

void PrintText(const std::vector<Finding>& findings) {
  for (const Finding& f : findings) {
    std::string where = f.file;
    if (f.line > 0) where += ":" + std::to_string(f.line);
    std::printf("%s: %s: %s%s\n", where.c_str(),
                f.severity == Severity::kError ? "error" : "warning",
                f.key.empty() ? "" : (f.key + ": ").c_str(), f.message.c_str());
  }
}

}  // namespace

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
      PrintText(findings);
      std::printf("sealed %zu files: %s/%s\n", count, medium.c_str(), kSealListName);
      return 0;
    }
    findings.insert(findings.end(), refusals.begin(), refusals.end());
  }
  PrintText(findings);
  std::fputs("velcheck: not sealed\n", stderr);
  return 2;
}

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--seal") return Seal(argv[2]);
  bool json = argc == 3 && std::string(argv[1]) == "--json";
  if (argc != 2 + (json ? 1 : 0)) {
    std::fputs("usage: velcheck [--json] DIR\n       velcheck --seal DIR\n", stderr);
    return 3;
  }
  std::string medium = argv[argc - 1];
  std::vector<Finding> findings;
  if (!CheckMedium(medium, &findings)) {
    std::fprintf(stderr, "velcheck: %s is not a directory\n", medium.c_str());
    return 3;
  }
  CheckSeal(medium, &findings);
  if (json) {
    PrintJson(medium, findings);
  } else {
    PrintText(findings);
  }
  return FindingsStatus(findings);
}
