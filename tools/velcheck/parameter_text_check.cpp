#include "tools/velcheck/parameter_text_check.h"

#include <cctype>
#include <set>
#include <string_view>

#include "launcher/launch_rules.h"
#include "params/component_table.h"
#include "params/parameter_keys.h"
#include "params/profile_text.h"
#include "params/section_reader.h"
#include "platform/classic_space.h"
#include "prereq/prereq_rules.h"
#include "staging/component_list.h"

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool HasBlankAtEnds(std::string_view text) {
  return !text.empty() && (std::isspace(static_cast<unsigned char>(text.front())) ||
                           std::isspace(static_cast<unsigned char>(text.back())));
}

class ParameterTextCheck {
 public:
  ParameterTextCheck(const std::string& file, const std::string& text,
                     std::vector<Finding>* findings)
      : file_(file), text_(text), findings_(findings) {}

  void CheckVelmorEntries();
  void CheckPrereqSections();

 private:
  void Add(Severity severity, int line, const std::string& key, const std::string& message) {
    findings_->push_back({severity, file_, line, key, message});
  }
  void CheckValue(const ProfileEntry& entry, const VelmorKeyInfo& key);
  void CheckComponentList(const ProfileEntry& entry);
  void CheckPrereqEntry(const std::string& section, int line, const std::string& key,
                        const std::string& value);

  const std::string& file_;
  const std::string& text_;
  std::vector<Finding>* findings_;
};

void ParameterTextCheck::CheckVelmorEntries() {
  std::set<std::string> seen;
  for (const ProfileEntry& entry : ListProfileEntries(text_, "Velmor")) {
    if (entry.key.rfind(';', 0) == 0) continue;  // a comment: it names no key
    const VelmorKeyInfo* key = FindVelmorKey(entry.key);
    if (key == nullptr) {
      Add(Severity::kWarning, entry.line, entry.key, "the launcher does not read this key");
      continue;
    }
    if (!seen.insert(key->name).second) {
      Add(Severity::kWarning, entry.line, entry.key,
          "defined again: the launcher reads only the first");
      continue;
    }
    CheckValue(entry, *key);
  }
}

void ParameterTextCheck::CheckValue(const ProfileEntry& entry, const VelmorKeyInfo& key) {
  const std::string& value = entry.value;
  if (value.empty()) return;  // the default
  std::string said = entry.key + "=" + value + ": ";
  std::string lower = Lower(value);
  bool means_yes =
      lower[0] == 't' || lower == "yes" || lower == "y" || lower == "1" || lower == "on";
  switch (key.kind) {
    case ValueKind::kFlag:
      if (!IsFlagOn(value) && means_yes) {
        Add(Severity::kError, entry.line, entry.key,
            said + "read as off (" + key.note +
                "); only a value beginning with an upper-case T turns it on");
      }
      break;
    case ValueKind::kSwitch:
      if (!IsSwitchOn(value) && means_yes) {
        Add(Severity::kError, entry.line, entry.key,
            said + "read as off (" + key.note + "); only exactly TRUE turns it on");
      }
      break;
    case ValueKind::kNumber:
      if (!std::isdigit(static_cast<unsigned char>(value[0])) && value[0] != '-' &&
          value[0] != '+') {
        Add(Severity::kError, entry.line, entry.key, said + "not a number: read as 0");
      } else if (std::string_view(key.name) == "BOOTSTRAP_SIZE") {
        int megabytes = ParseBootstrapSize(value);
        if (megabytes < 0 || megabytes > kMaxBootstrapMegabytes) {
          Add(Severity::kError, entry.line, entry.key,
              said + "out of the range 0 to 2047: the launcher reports it and stages nothing");
        }
      }
      break;
    case ValueKind::kList:
      CheckComponentList(entry);
      break;
    case ValueKind::kText:
      break;
  }
}

// BOOTSTRAP_COMPS: each entry as the launcher splits and matches it.
void ParameterTextCheck::CheckComponentList(const ProfileEntry& entry) {
  for (const std::string& item : SplitBootstrapComponents(entry.value)) {
    std::string said = "entry \"" + item + "\": ";
    ComponentEntry component;
    if (HasBlankAtEnds(item)) {
      Add(Severity::kError, entry.line, entry.key,
          said + "has a blank at an end; ids compare exactly, so it names another component");
    } else if (!ParseComponentEntry(item, &component)) {
      Add(Severity::kWarning, entry.line, entry.key,
          said + "names no version: the launcher ignores it");
    } else {
      for (const ComponentInfo& known : kComponents) {
        std::string id = known.id;
        if (component.id != id && Lower(component.id) == id) {
          Add(Severity::kError, entry.line, entry.key,
              said + "ids compare exactly: \"" + component.id + "\" is not " + id +
                  ", so it is expanded as another component");
        }
      }
    }
  }
  std::size_t pieces = 0;
  for (std::size_t at = 0; at <= entry.value.size();) {
    std::size_t comma = entry.value.find(',', at);
    std::size_t end = comma == std::string::npos ? entry.value.size() : comma;
    if (end > at) ++pieces;
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  if (pieces > kMaxBootstrapComponents) {
    Add(Severity::kWarning, entry.line, entry.key,
        "more than 16 entries: the launcher ignores those after the 16th");
  }
}

// The name of the section `line` is the header of, as the section reader matches it:
// the whole line but trailing blanks is "[name]".
bool HeaderName(const std::string& line, std::string* name) {
  std::size_t end = line.size();
  while (end > 0 && IsClassicSpace(line[end - 1])) --end;
  if (end < 2 || line[0] != '[' || line[end - 1] != ']') return false;
  *name = line.substr(1, end - 2);
  return true;
}

// The sections the prerequisite checks read, in one pass over the text. A check seeks the
// first header of its section and reads entries up to the next header or a line without a
// key; its seek gives up at the first line that ends the file (a 0xFF byte ends one).
void ParameterTextCheck::CheckPrereqSections() {
  SectionFile file(text_);
  std::set<std::string> found;
  std::string line, section;
  bool seeking = true;  // a seek can still find a header
  bool reading = false;
  while (!file.AtEnd()) {
    SectionFile::LineEnd end = file.ReadLine(&line);
    if (IsSectionHeader(line)) {
      std::string name;
      reading = seeking && end == SectionFile::LineEnd::kNewline && HeaderName(line, &name) &&
                (name == kGenericPrereqsSection || name == kCertifiedVersionsSection ||
                 name.rfind(kPlatformSectionPrefix, 0) == 0) &&
                found.insert(name).second;
      section = name;
    } else if (reading) {
      Tokenizer tokens;
      std::string key, value;
      if (tokens.Next(&line, &key, Tokenizer::Mode::kKey) != 0) {
        reading = false;
      } else {
        if (tokens.Next(nullptr, &value, Tokenizer::Mode::kValue) != 0) value.clear();
        CheckPrereqEntry(section, file.LineNumber(), key, value);
      }
    }
    if (end == SectionFile::LineEnd::kEnd) seeking = false;
  }
}

void ParameterTextCheck::CheckPrereqEntry(const std::string& section, int line,
                                          const std::string& key, const std::string& value) {
  if (section == kCertifiedVersionsSection) {
    if (key == kCertifiedWindowsKey && value.find(", ") != std::string::npos) {
      Add(Severity::kWarning, line, key,
          "[" + section + "] " + key + "=" + value +
              ": an entry with a blank after a comma never matches a version");
    }
    return;
  }
  bool known = FindPrereqCheck(key) != nullptr;
  // A platform section may also give the message a failed check shows.
  for (const PrereqCheckInfo& check : kPrereqChecks) {
    if (section != kGenericPrereqsSection && key == check.failure_message_key) known = true;
  }
  if (!known) {
    Add(Severity::kWarning, line, key,
        "[" + section + "]: the prerequisite checks do not read this key");
  } else if (key.find("_FAILURE_MESSAGE") == std::string::npos &&
             !std::isdigit(static_cast<unsigned char>(value.empty() ? 'x' : value[0]))) {
    Add(Severity::kWarning, line, key,
        "[" + section + "] " + key + "=" + value + ": not a number, so the check gives no verdict");
  }
}

}  // namespace

void CheckParameterText(const std::string& file, const std::string& text,
                        std::vector<Finding>* findings) {
  ParameterTextCheck check(file, text, findings);
  check.CheckVelmorEntries();
  check.CheckPrereqSections();
}
