#include "tools/velcheck/medium_check.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string_view>

#include "launcher/launch_rules.h"
#include "messages/catalogue.h"
#include "messages/format_check.h"
#include "messages/message_keys.h"
#include "params/component_table.h"
#include "params/parameter_keys.h"
#include "params/parameter_search.h"
#include "params/parameter_settings.h"
#include "params/profile_text.h"
#include "params/section_reader.h"
#include "platform/medium_layout.h"
#include "platform/medium_seal.h"
#include "prereq/prereq_rules.h"
#include "staging/component_list.h"
#include "tools/velcheck/zip_listing.h"

namespace fs = std::filesystem;

namespace {

// The launcher's paths use backslashes; where the checker runs, the system's separator.
fs::path OnDisk(const std::string& path) {
  std::string native = path;
  if (fs::path::preferred_separator == '/') {
    for (char& c : native) {
      if (c == '\\') c = '/';
    }
  }
  return fs::path(native);
}

bool ReadWhole(const fs::path& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), {});
  return true;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool HasBlankAtEnds(std::string_view text) {
  return !text.empty() && (std::isspace(static_cast<unsigned char>(text.front())) ||
                           std::isspace(static_cast<unsigned char>(text.back())));
}

class Checker {
 public:
  Checker(std::string directory, std::vector<Finding>* findings)
      : directory_(std::move(directory)), findings_(findings) {}

  void Run();
  // The files a sealed run reads, starts or stages (ListSealedFiles).
  bool ListSealed(std::vector<std::string>* files);

 private:
  void Add(Severity severity, const std::string& file, int line, const std::string& key,
           const std::string& message) {
    findings_->push_back({severity, OnDisk(file).string(), line, key, message});
  }

  bool FindParameterFile();
  void CheckVelmorEntries();
  void CheckValue(const ProfileEntry& entry, const VelmorKeyInfo& key);
  void CheckComponentList(const ProfileEntry& entry);
  std::string Value(const char* key) const;
  ParameterSettings Settings() const;
  void CheckLayout();
  void CheckComponentDirectory(const std::string& id, const std::string& location, bool runtime);
  void CheckPrereqSections();
  void CheckCatalogues();
  fs::path Place(const std::string& location) const;
  void ListTree(const std::string& location, std::set<std::string>* files) const;
  void ListJars(const std::string& location, std::set<std::string>* files) const;

  std::string directory_;
  std::vector<Finding>* findings_;
  std::string param_path_;
  std::string param_text_;
  std::vector<ProfileEntry> entries_;
};

void Checker::Run() {
  if (!fs::exists(OnDisk(directory_) / "setup.exe")) {
    Add(Severity::kWarning, directory_, 0, "", "no setup.exe in this directory");
  }
  CheckCatalogues();
  if (!FindParameterFile()) return;
  entries_ = ListProfileEntries(param_text_, "Velmor");
  CheckVelmorEntries();
  CheckLayout();
  CheckPrereqSections();
}

// The file the launcher would find, by its own search.
bool Checker::FindParameterFile() {
  for (const std::string& candidate : ParameterFileCandidates(directory_, directory_)) {
    std::string bytes;
    if (fs::is_regular_file(OnDisk(candidate)) && ReadWhole(OnDisk(candidate), &bytes)) {
      param_path_ = candidate;
      param_text_ = bytes;
      return true;
    }
  }
  Add(Severity::kError, directory_, 0, "",
      "no velparam.ini beside setup.exe or in its parent directory: the launcher ends with -2");
  return false;
}

// The value the launcher reads for `key`: the first entry's, else the default.
std::string Checker::Value(const char* key) const {
  std::string value = ReadProfileValue(param_text_, "Velmor", key, "");
  const VelmorKeyInfo* info = FindVelmorKey(key);
  return value.empty() && info != nullptr ? info->default_value : value;
}

void Checker::CheckVelmorEntries() {
  std::set<std::string> seen;
  for (const ProfileEntry& entry : entries_) {
    if (entry.key.rfind(';', 0) == 0) continue;  // a comment: it names no key
    const VelmorKeyInfo* key = FindVelmorKey(entry.key);
    if (key == nullptr) {
      Add(Severity::kWarning, param_path_, entry.line, entry.key,
          "the launcher does not read this key");
      continue;
    }
    if (!seen.insert(key->name).second) {
      Add(Severity::kWarning, param_path_, entry.line, entry.key,
          "defined again: the launcher reads only the first");
      continue;
    }
    CheckValue(entry, *key);
  }
}

void Checker::CheckValue(const ProfileEntry& entry, const VelmorKeyInfo& key) {
  const std::string& value = entry.value;
  if (value.empty()) return;  // the default
  std::string said = entry.key + "=" + value + ": ";
  std::string lower = Lower(value);
  bool means_yes =
      lower[0] == 't' || lower == "yes" || lower == "y" || lower == "1" || lower == "on";
  switch (key.kind) {
    case ValueKind::kFlag:
      if (!IsFlagOn(value) && means_yes) {
        Add(Severity::kError, param_path_, entry.line, entry.key,
            said + "read as off (" + key.note +
                "); only a value beginning with an upper-case T turns it on");
      }
      break;
    case ValueKind::kSwitch:
      if (!IsSwitchOn(value) && means_yes) {
        Add(Severity::kError, param_path_, entry.line, entry.key,
            said + "read as off (" + key.note + "); only exactly TRUE turns it on");
      }
      break;
    case ValueKind::kNumber:
      if (!std::isdigit(static_cast<unsigned char>(value[0])) && value[0] != '-' &&
          value[0] != '+') {
        Add(Severity::kError, param_path_, entry.line, entry.key, said + "not a number: read as 0");
      } else if (std::string_view(key.name) == "BOOTSTRAP_SIZE") {
        int megabytes = ParseBootstrapSize(value);
        if (megabytes < 0 || megabytes > kMaxBootstrapMegabytes) {
          Add(Severity::kError, param_path_, entry.line, entry.key,
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
void Checker::CheckComponentList(const ProfileEntry& entry) {
  for (const std::string& item : SplitBootstrapComponents(entry.value)) {
    std::string said = "entry \"" + item + "\": ";
    ComponentEntry component;
    if (HasBlankAtEnds(item)) {
      Add(Severity::kError, param_path_, entry.line, entry.key,
          said + "has a blank at an end; ids compare exactly, so it names another component");
    } else if (!ParseComponentEntry(item, &component)) {
      Add(Severity::kWarning, param_path_, entry.line, entry.key,
          said + "names no version: the launcher ignores it");
    } else {
      for (const ComponentInfo& known : kComponents) {
        std::string id = known.id;
        if (component.id != id && Lower(component.id) == id) {
          Add(Severity::kError, param_path_, entry.line, entry.key,
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
    Add(Severity::kWarning, param_path_, entry.line, entry.key,
        "more than 16 entries: the launcher ignores those after the 16th");
  }
}

// What the launcher reads from the file, by its own reading: the component locations
// with their defaults, on a distribution medium as the component list moves them.
ParameterSettings Checker::Settings() const {
  ParameterSettings settings;
  KeyReader read = [this](const char* key, const std::string& default_value) {
    return ReadProfileValue(param_text_, "Velmor", key, default_value);
  };
  ReadParameterKeys(read, ParameterOverrides(), directory_, std::string(), &settings);
  if (settings.distribution_mode) {
    ApplyListedSources(SelectComponents(settings.bootstrap_comps, false), &settings.locations);
  }
  // Named in findings as the file names it, without the staged layout's last backslash.
  for (const ComponentInfo& component : kComponents) {
    std::string& location = settings.locations.*component.location;
    bool root = location.size() > 1 && location[location.size() - 2] == ':';
    if (location.size() > 1 && location.back() == '\\' && !root) location.pop_back();
  }
  return settings;
}

// What a distribution medium or an installed layout needs on disk.
void Checker::CheckLayout() {
  ParameterSettings settings = Settings();
  if (!settings.distribution_mode) {
    for (const ComponentInfo& component : kComponents) {
      if (component.component == Component::kRuntime) continue;
      const std::string& location = settings.locations.*component.location;
      if (!fs::is_directory(Place(location))) {
        Add(Severity::kError, param_path_, 0, VelmorKeyRow(component.location_key).name,
            "\"" + location + "\" is not a directory: the installer cannot start from it");
      }
    }
    return;
  }
  if (!fs::exists(OnDisk(directory_) / "unzip.exe")) {
    Add(Severity::kError, directory_, 0, "",
        "no unzip.exe beside setup.exe: a distribution medium cannot be expanded");
  }
  ComponentSelection selection = SelectComponents(settings.bootstrap_comps, false);
  for (const ComponentInfo& component : kComponents) {
    const std::string& location = settings.locations.*component.location;
    bool runtime = component.component == Component::kRuntime;
    if (!selection.Stages(component.component) || (runtime && location.empty())) continue;
    CheckComponentDirectory(component.id, location, runtime);
  }
}

// A component's DataFiles directory: jar archives, and for the runtime bin\java.exe in one.
void Checker::CheckComponentDirectory(const std::string& id, const std::string& location,
                                      bool runtime) {
  fs::path place = Place(location);
  std::error_code error;
  bool any_jar = false;
  bool java = false;
  for (fs::directory_iterator it(place, error), end; !error && it != end; it.increment(error)) {
    if (Lower(it->path().extension().string()) != ".jar") continue;
    any_jar = true;
    std::string bytes;
    std::vector<std::string> names;
    if (!runtime || !ReadWhole(it->path(), &bytes) || !ListZipEntries(bytes, &names)) continue;
    for (const std::string& name : names) {
      std::string lower = Lower(name);
      if (lower.size() >= 13 && lower.compare(lower.size() - 13, 13, "/bin/java.exe") == 0) {
        java = true;
      }
    }
  }
  if (!any_jar) {
    Add(Severity::kError, location, 0, id, "no jar archives here: expanding " + id + " fails");
  } else if (runtime && !java) {
    Add(Severity::kError, location, 0, id,
        "no jar here holds bin\\java.exe: the staged runtime cannot start the installer");
  }
}

// The sections the prerequisite run reads, with the launcher's section reader.
void Checker::CheckPrereqSections() {
  auto known = [](const std::string& key, bool platform) {
    if (FindPrereqCheck(key) != nullptr) return true;
    if (!platform) return false;
    for (const PrereqCheckInfo& check : kPrereqChecks) {
      if (key == check.failure_message_key) return true;
    }
    return false;
  };
  SectionFile file(param_text_);
  std::string line;
  while (!file.AtEnd()) {
    file.ReadLine(&line);
    std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string::npos || line[open] != '[') continue;
    std::string name = line.substr(open + 1, line.find(']') - open - 1);
    bool generic = name == kGenericPrereqsSection;
    bool platform = name.rfind(kPlatformSectionPrefix, 0) == 0;
    bool certified = name == kCertifiedVersionsSection;
    if (!generic && !platform && !certified) continue;
    SectionFile section(param_text_);
    if (SeekSection(&section, name) != 0) continue;
    std::string key, value;
    while (NextSectionEntry(&section, &key, &value) == 0) {
      if (certified) {
        if (key == kCertifiedWindowsKey && value.find(", ") != std::string::npos) {
          Add(Severity::kWarning, param_path_, 0, key,
              "[" + name + "] " + key + "=" + value +
                  ": an entry with a blank after a comma never matches a version");
        }
        continue;
      }
      if (!known(key, platform)) {
        Add(Severity::kWarning, param_path_, 0, key,
            "[" + name + "]: the prerequisite checks do not read this key");
      } else if (key.find("_FAILURE_MESSAGE") == std::string::npos &&
                 !std::isdigit(static_cast<unsigned char>(value.empty() ? 'x' : value[0]))) {
        Add(Severity::kWarning, param_path_, 0, key,
            "[" + name + "] " + key + "=" + value +
                ": not a number, so the check gives no verdict");
      }
    }
  }
}

// Every catalogue in resource\, read as the launcher reads it.
void Checker::CheckCatalogues() {
  fs::path resource = OnDisk(directory_) / "resource";
  std::error_code error;
  bool base = false;
  for (fs::directory_iterator it(resource, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (Lower(it->path().extension().string()) != ".nls") continue;
    base = base || name == "cons.nls";
    std::string bytes;
    if (!ReadWhole(it->path(), &bytes)) continue;
    std::string file = (fs::path("resource") / name).string();
    std::set<std::string> seen;
    int index = 0;
    SplitCatalogueRecords(bytes, [&](std::string_view record) {
      ++index;
      std::string where = "record " + std::to_string(index) + ": ";
      if (record.size() > kLongestCatalogueRecord) {
        Add(Severity::kError, file, 0, "",
            where +
                "longer than 1022 bytes: the launcher cuts it and reads the rest as "
                "another record");
        return;
      }
      std::size_t equals = record.find('=');
      if (equals == std::string_view::npos) {
        Add(Severity::kError, file, 0, "", where + "no \"=\": the launcher ignores it");
        return;
      }
      std::string key(record.substr(0, equals));
      std::string_view text = record.substr(equals + 1);
      const MessageKeyInfo* info = FindMessageKey(key);
      if (info == nullptr) {
        Add(Severity::kWarning, file, 0, key, where + "not a message key of the launcher");
      } else if (!seen.insert(key).second) {
        Add(Severity::kWarning, file, 0, key, where + "defined again: the first one counts");
      } else if (CountFormatArguments(text, info->arguments) < 0) {
        Add(Severity::kError, file, 0, key,
            where + "its conversions do not fit the key's arguments \"" + info->arguments +
                "\": the launcher ignores it");
      }
    });
  }
  if (!base) {
    Add(Severity::kError, (fs::path(directory_) / "resource").string(), 0, "",
        "no cons.nls: without a catalogue the launcher exits with 1");
  }
}

// A location of velparam.ini on disk: absolute, or from the launcher directory.
fs::path Checker::Place(const std::string& location) const {
  fs::path path = OnDisk(location);
  return path.is_absolute() ? path : OnDisk(directory_) / path;
}

// Every regular file below `location`, relative to the launcher directory.
void Checker::ListTree(const std::string& location, std::set<std::string>* files) const {
  std::error_code error;
  fs::path root = OnDisk(directory_);
  for (fs::recursive_directory_iterator it(Place(location), error), end; !error && it != end;
       it.increment(error)) {
    std::string file = it->path().lexically_normal().lexically_relative(root).generic_string();
    // A tree that holds the launcher directory holds setup.exe, which the seal is in, and
    // the list: a sealed run checks their copies against itself and against the seal.
    if (it->is_regular_file(error) && file != "setup.exe" && file != kSealListName) {
      files->insert(file);
    }
  }
}

// The jars of a component's DataFiles directory, as unzip's "*.jar" finds them, and the
// files of its "Expanded" folder, which staging copies as they are.
void Checker::ListJars(const std::string& location, std::set<std::string>* files) const {
  std::error_code error;
  if (fs::is_directory(Place(location) / "Expanded", error)) {
    ListTree((fs::path(location) / "Expanded").string(), files);
  }
  fs::path root = OnDisk(directory_);
  for (fs::directory_iterator it(Place(location), error), end; !error && it != end;
       it.increment(error)) {
    if (Lower(it->path().extension().string()) == ".jar" && it->is_regular_file(error)) {
      files->insert(it->path().lexically_normal().lexically_relative(root).generic_string());
    }
  }
}

bool Checker::ListSealed(std::vector<std::string>* files) {
  std::set<std::string> listed;
  fs::path root = OnDisk(directory_);
  std::error_code error;
  for (fs::directory_iterator it(root / "resource", error), end; !error && it != end;
       it.increment(error)) {
    if (Lower(it->path().extension().string()) == ".nls" && it->is_regular_file(error)) {
      listed.insert(it->path().lexically_normal().lexically_relative(root).generic_string());
    }
  }
  if (!FindParameterFile()) return false;
  listed.insert(OnDisk(param_path_).lexically_normal().lexically_relative(root).generic_string());
  bool distribution = IsFlagOn(Value("DISTRIBUTION"));
  if (!distribution && !IsFlagOn(Value("BOOTSTRAP"))) {
    Add(Severity::kError, param_path_, 0, "BOOTSTRAP",
        "staging is off: the installer would run from the medium, which a seal cannot cover");
    return false;
  }
  for (const char* key :
       {"PREREQ_CONFIG_LOCATION", "ACCESS_DIR", "EXT_JLIB", "EXT_LIB", "EXT_BIN"}) {
    if (!Value(key).empty()) ListTree(Value(key), &listed);
  }
  if (fs::is_directory(root / "images")) ListTree("images", &listed);
  ParameterSettings settings = Settings();
  if (!distribution) {
    // An installed layout: the folders staging copies, whole.
    for (const ComponentInfo& component : kComponents) {
      const std::string& location = settings.locations.*component.location;
      if (!location.empty()) ListTree(location, &listed);
    }
  } else {
    listed.insert("unzip.exe");
    ComponentSelection selection = SelectComponents(settings.bootstrap_comps, false);
    for (const ComponentInfo& component : kComponents) {
      if (!selection.Stages(component.component)) {
        Add(Severity::kError, param_path_, 0, "BOOTSTRAP_COMPS",
            std::string(component.id) +
                " is left out: it would run from the medium, which a seal cannot cover");
        continue;
      }
      const std::string& location = settings.locations.*component.location;
      if (!location.empty()) ListJars(location, &listed);
    }
    for (const ComponentEntry& component : selection.expand_now) {
      ListJars(ComponentSourcePath(component), &listed);
    }
  }
  files->assign(listed.begin(), listed.end());
  return FindingsStatus(*findings_) < 2;
}

}  // namespace

bool ListSealedFiles(const std::string& directory, std::vector<std::string>* files,
                     std::vector<Finding>* findings) {
  findings->clear();
  files->clear();
  if (!fs::is_directory(OnDisk(directory))) return false;
  return Checker(directory, findings).ListSealed(files);
}

bool CheckMedium(const std::string& directory, std::vector<Finding>* findings) {
  findings->clear();
  if (!fs::is_directory(OnDisk(directory))) return false;
  Checker(directory, findings).Run();
  return true;
}

int FindingsStatus(const std::vector<Finding>& findings) {
  int status = 0;
  for (const Finding& finding : findings) {
    status = finding.severity == Severity::kError ? 2 : (status == 2 ? 2 : 1);
  }
  return status;
}
