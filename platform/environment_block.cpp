#include "platform/environment_block.h"

#include "platform/ascii_case.h"

namespace {

// The name of an entry: up to the first "=" after its first character, so that the
// drives' "=C:=C:\x" entries are named "=C:".
std::string_view NameOf(std::string_view entry) {
  std::size_t equals = entry.find('=', 1);
  return entry.substr(0, equals == std::string_view::npos ? entry.size() : equals);
}

// unzip reads its default options from these: they are the launcher's to decide.
constexpr std::string_view kUnzipOptionVariables[] = {"UNZIP", "UNZIPOPT", "ZIPINFO", "ZIPINFOOPT"};
// A Java runtime loads agents, native libraries and classes that these name.
constexpr std::string_view kJavaCodeVariables[] = {"JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS",
                                                   "JDK_JAVA_OPTIONS", "CLASSPATH"};

template <std::size_t N>
bool IsListed(std::string_view name, const std::string_view (&list)[N]) {
  for (std::string_view listed : list) {
    if (SameIgnoringAsciiCase(name, listed)) return true;
  }
  return false;
}

}  // namespace

const std::string* FindVariable(const std::vector<std::string>& entries, std::string_view name) {
  for (const std::string& entry : entries) {
    std::string_view entry_name = NameOf(entry);
    if (entry_name.size() < entry.size() && SameIgnoringAsciiCase(entry_name, name)) return &entry;
  }
  return nullptr;
}

std::string ExpandVariables(std::string_view text, const std::vector<std::string>& entries) {
  std::string expanded;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t open = text.find('%', at);
    std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    expanded.append(text, at, open - at);
    const std::string* entry = FindVariable(entries, text.substr(open + 1, close - open - 1));
    if (close > open + 1 && entry != nullptr) {
      expanded += entry->substr(close - open);
      at = close + 1;
    } else {
      // Not a variable: the first "%" stays, and the second may open the next one.
      expanded += '%';
      at = open + 1;
    }
  }
  expanded.append(text.substr(at));
  return expanded;
}

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& entries,
                                          ChildProgram program, bool elevated,
                                          std::string_view machine_path) {
  std::vector<std::string> child;
  bool has_path = false;
  for (const std::string& entry : entries) {
    std::string_view name = NameOf(entry);
    if (program == ChildProgram::kUnzip && IsListed(name, kUnzipOptionVariables)) continue;
    if (elevated && IsListed(name, kJavaCodeVariables)) continue;
    if (elevated && SameIgnoringAsciiCase(name, "PATH")) {
      child.push_back(std::string(name) + "=" + std::string(machine_path));
      has_path = true;
      continue;
    }
    child.push_back(entry);
  }
  if (elevated && !has_path) child.push_back("Path=" + std::string(machine_path));
  return child;
}
