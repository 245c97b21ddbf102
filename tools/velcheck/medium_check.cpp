#include "tools/velcheck/medium_check.h"

#include <filesystem>
#include <set>
#include <string_view>

#include "launcher/launch_rules.h"
#include "params/component_table.h"
#include "params/parameter_keys.h"
#include "params/parameter_search.h"
#include "params/parameter_settings.h"
#include "params/profile_text.h"
#include "platform/ascii_case.h"
#include "platform/medium_layout.h"
#include "platform/medium_seal.h"
#include "staging/component_list.h"
#include "tools/velcheck/catalogue_check.h"
#include "tools/velcheck/medium_file.h"
#include "tools/velcheck/parameter_text_check.h"
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

// Whether `path` has the extension `extension` (".jar"), in any case, as Windows matches it.
bool HasExtension(const fs::path& path, std::string_view extension) {
  return SameIgnoringAsciiCase(path.extension().string(), extension);
}

// The most of a jar's central directory velcheck reads: some 46 bytes and a name for
// each entry, so room for over a million entries.
constexpr std::uintmax_t kMaxZipDirectoryBytes = 64u << 20;

bool IsDirectory(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

class Checker {
 public:
  // The directory is made absolute first: the launcher's defaults start from it, and the
  // locations velparam.ini gives relative are taken from it.
  Checker(const std::string& directory, std::vector<Finding>* findings) : findings_(findings) {
    std::error_code error;
    root_ = fs::absolute(OnDisk(directory), error).lexically_normal();
    if (!root_.has_filename()) root_ = root_.parent_path();
    directory_ = root_.string();
  }

  void Run();
  // The files a sealed run reads, starts or stages (ListSealedFiles).
  bool ListSealed(std::vector<std::string>* files);

 private:
  void Add(Severity severity, const std::string& file, int line, const std::string& key,
           const std::string& message) {
    findings_->push_back({severity, Named(file), line, key, message});
  }
  std::string Named(const std::string& file) const;
  int LineOf(std::string_view key) const;

  bool FindParameterFile();
  std::string Value(const char* key) const;
  ParameterSettings Settings() const;
  void CheckLayout();
  void CheckComponentDirectory(const std::string& id, const std::string& location, bool runtime);
  bool HoldsJava(const fs::path& jar, const std::string& location, const std::string& id);
  void CheckCatalogues();
  fs::path Place(const std::string& location) const;
  void ListTree(const std::string& location, std::set<std::string>* files) const;
  void ListJars(const std::string& location, std::set<std::string>* files) const;

  fs::path root_;
  std::string directory_;  // root_, as the launcher's paths start
  std::vector<Finding>* findings_;
  std::string param_path_;
  std::string param_text_;
  std::vector<ProfileEntry> entries_;
};

// A file or directory as findings name it: relative to the checked directory when it
// lies below it, else absolute.
std::string Checker::Named(const std::string& file) const {
  std::error_code error;
  fs::path path = fs::absolute(Place(file), error).lexically_normal();
  if (!path.has_filename()) path = path.parent_path();
  fs::path relative = path.lexically_relative(root_);
  // Forward slashes throughout, as the seal's list names files.
  if (relative.empty() || *relative.begin() == "..") return path.generic_string();
  return relative.generic_string();
}

// The line of the entry the launcher reads for `key`; 0 when the file does not give it.
int Checker::LineOf(std::string_view key) const {
  const VelmorKeyInfo* info = FindVelmorKey(key);
  for (const ProfileEntry& entry : entries_) {
    if (info != nullptr && FindVelmorKey(entry.key) == info) return entry.line;
  }
  return 0;
}

void Checker::Run() {
  if (!Exists(OnDisk(directory_) / "setup.exe")) {
    Add(Severity::kWarning, directory_, 0, "", "no setup.exe in this directory");
  }
  CheckCatalogues();
  if (!FindParameterFile()) return;
  entries_ = ListProfileEntries(param_text_, "Velmor");
  CheckParameterText(Named(param_path_), param_text_, findings_);
  CheckLayout();
}

// The file the launcher would find, by its own search: the first candidate that is there.
bool Checker::FindParameterFile() {
  for (const std::string& candidate : ParameterFileCandidates(directory_, directory_)) {
    MediumFileRead read = ReadMediumFile(OnDisk(candidate), kMaxMediumTextBytes, &param_text_);
    if (read == MediumFileRead::kMissing) continue;
    if (read == MediumFileRead::kRead) {
      param_path_ = candidate;
      return true;
    }
    Add(Severity::kError, candidate, 0, "",
        DescribeUnread(read, kMaxMediumTextBytes) +
            ": the launcher finds it first and cannot read its parameters");
    return false;
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
      if (!IsDirectory(Place(location))) {
        const char* key = VelmorKeyRow(component.location_key).name;
        Add(Severity::kError, param_path_, LineOf(key), key,
            "\"" + location + "\" is not a directory: the installer cannot start from it");
      }
    }
    return;
  }
  if (!Exists(OnDisk(directory_) / "unzip.exe")) {
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
  std::error_code error;
  bool any_jar = false;
  bool java = false;
  for (fs::directory_iterator it(Place(location), error), end; !error && it != end;
       it.increment(error)) {
    if (!HasExtension(it->path(), ".jar")) continue;
    any_jar = true;
    if (runtime && !java) java = HoldsJava(it->path(), location, id);
  }
  if (!any_jar) {
    Add(Severity::kError, location, 0, id, "no jar archives here: expanding " + id + " fails");
  } else if (runtime && !java) {
    Add(Severity::kError, location, 0, id,
        "no jar here holds bin\\java.exe: the staged runtime cannot start the installer");
  }
}

// Whether the runtime's `jar` has an entry ".../bin/java.exe", by its central directory.
bool Checker::HoldsJava(const fs::path& jar, const std::string& location, const std::string& id) {
  std::string file = (fs::path(location) / jar.filename()).string();
  std::uintmax_t size = 0;
  std::string tail, bytes;
  ZipDirectory directory;
  MediumFileRead read = MediumFileSize(jar, &size);
  if (read == MediumFileRead::kRead) {
    std::uintmax_t tail_size = size < kZipEndSearchBytes ? size : kZipEndSearchBytes;
    read = ReadMediumFileRange(jar, size - tail_size, tail_size, &tail);
  }
  if (read != MediumFileRead::kRead) {
    Add(Severity::kWarning, file, 0, id, DescribeUnread(read, 0));
    return false;
  }
  if (!FindZipDirectory(tail, size, &directory)) {
    Add(Severity::kWarning, file, 0, id, "not a zip archive: velcheck cannot list it");
    return false;
  }
  if (directory.size > kMaxZipDirectoryBytes) {
    Add(Severity::kWarning, file, 0, id,
        "its central directory is larger than 64 MiB, so velcheck does not read it");
    return false;
  }
  std::vector<std::string> names;
  if (ReadMediumFileRange(jar, directory.offset, directory.size, &bytes) != MediumFileRead::kRead ||
      !ListZipEntries(bytes, directory, &names)) {
    Add(Severity::kWarning, file, 0, id,
        "its central directory is damaged: velcheck cannot list it");
    return false;
  }
  for (const std::string& name : names) {
    constexpr std::string_view kJava = "/bin/java.exe";
    if (name.size() >= kJava.size() &&
        SameIgnoringAsciiCase(std::string_view(name).substr(name.size() - kJava.size()), kJava)) {
      return true;
    }
  }
  return false;
}

// Every catalogue in resource\, read as the launcher reads it.
void Checker::CheckCatalogues() {
  fs::path resource = OnDisk(directory_) / "resource";
  std::error_code error;
  bool base = false;
  for (fs::directory_iterator it(resource, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (!HasExtension(it->path(), ".nls")) continue;
    base = base || name == "cons.nls";
    std::string file = (fs::path("resource") / name).string();
    std::string bytes;
    MediumFileRead read = ReadMediumFile(it->path(), kMaxMediumTextBytes, &bytes);
    if (read != MediumFileRead::kRead) {
      Add(Severity::kError, file, 0, "",
          DescribeUnread(read, kMaxMediumTextBytes) + ": velcheck cannot check this catalogue");
      continue;
    }
    CheckCatalogue(Named(file), bytes, findings_);
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
    if (HasExtension(it->path(), ".jar") && it->is_regular_file(error)) {
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
    if (HasExtension(it->path(), ".nls") && it->is_regular_file(error)) {
      listed.insert(it->path().lexically_normal().lexically_relative(root).generic_string());
    }
  }
  if (!FindParameterFile()) return false;
  entries_ = ListProfileEntries(param_text_, "Velmor");
  listed.insert(OnDisk(param_path_).lexically_normal().lexically_relative(root).generic_string());
  bool distribution = IsFlagOn(Value("DISTRIBUTION"));
  if (!distribution && !IsFlagOn(Value("BOOTSTRAP"))) {
    Add(Severity::kError, param_path_, LineOf("BOOTSTRAP"), "BOOTSTRAP",
        "staging is off: the installer would run from the medium, which a seal cannot cover");
    return false;
  }
  for (const char* key :
       {"PREREQ_CONFIG_LOCATION", "ACCESS_DIR", "EXT_JLIB", "EXT_LIB", "EXT_BIN"}) {
    if (!Value(key).empty()) ListTree(Value(key), &listed);
  }
  if (IsDirectory(root / "images")) ListTree("images", &listed);
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
        Add(Severity::kError, param_path_, LineOf("BOOTSTRAP_COMPS"), "BOOTSTRAP_COMPS",
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
  if (!IsDirectory(OnDisk(directory))) return false;
  return Checker(directory, findings).ListSealed(files);
}

bool CheckMedium(const std::string& directory, std::vector<Finding>* findings) {
  findings->clear();
  if (!IsDirectory(OnDisk(directory))) return false;
  Checker(directory, findings).Run();
  return true;
}
