#include "params/parameter_keys.h"

#include <algorithm>

#include "params/parameter_settings.h"
#include "platform/medium_layout.h"
#include "platform/text_buffer.h"

const VelmorKeyInfo kVelmorKeys[] = {
    {"DISTRIBUTION", ValueKind::kFlag, "F", "the medium holds components as jar archives"},
    {"JRE_SCRATCH_LOC", ValueKind::kText, "",
     "where a runtime staged before lies, inside the scratch directory"},
    {"JRE_LOCATION", ValueKind::kText, "", "the Java runtime (-jreLoc wins)"},
    {"ACCESS_DIR", ValueKind::kText, "", "files copied into the scratch directory"},
    {"JRE_MEMORY_OPTIONS", ValueKind::kText, "", "Java memory options"},
    {"TAV_VERSION", ValueKind::kText, "1.7.0.0.0", "the installer's version"},
    {"JRE_VERSION", ValueKind::kText, "", "the runtime's version"},
    {"USEJREONLY", ValueKind::kSwitch, "FALSE", "refuse a JDK given or typed"},
    {"USEJDKONLY", ValueKind::kSwitch, "FALSE", "refuse a JRE given or typed"},
    {"DISABLE_JRE_PROMPT", ValueKind::kSwitch, "FALSE", "never ask for a runtime"},
    {"TAV_LOCATION", ValueKind::kText, "",
     "the installer; default: the launcher directory, or its staged layout on a distribution "
     "medium"},
    {"TAV_CORE_LOCATION", ValueKind::kText, "", "the installer's core; default as TAV_LOCATION"},
    {"PATCHEL_LOCATION", ValueKind::kText, "", "the patch tool; default as TAV_LOCATION"},
    {"BOOTSTRAP", ValueKind::kFlag, "F", "stage the components into the scratch directory"},
    {"BOOTSTRAP_SIZE", ValueKind::kNumber, "52",
     "megabytes staging needs free, 0 to 2047; out of range, nothing is staged"},
    {"JRE_OSDPARAM", ValueKind::kText, "", "more Java options"},
    {"ADDTO_CLASSPATH", ValueKind::kText, "", "jars added to the class path"},
    {"INSTALL_CLASS", ValueKind::kText, kInstallerClass, "the installer's main class"},
    {"INSTALL_ONECLICK_CLASS", ValueKind::kText, kOneClickInstallerClass,
     "the main class of -ONECLICK"},
    {"PREREQ_CONFIG_LOCATION", ValueKind::kText, "",
     "the prerequisite definitions (the command line wins)"},
    {"WAIT_FOR_COMPLETION", ValueKind::kFlag, "F", "wait for a staged installer"},
    {"COPY_THREADS", ValueKind::kNumber, "0", "read, not used"},
    {"EXT_JLIB", ValueKind::kText, "", "extension jars"},
    {"EXT_LIB", ValueKind::kText, "", "extension libraries"},
    {"EXT_BIN", ValueKind::kText, "", "extension programs"},
    {"BOOTSTRAP_COMPS", ValueKind::kList, "",
     "the components to stage, id:version, at most 16; ids compare exactly"},
    {"PLATFORM_PREREQS", ValueKind::kFlag, "FALSE", "run the platform prerequisite passes"},
    {"SOURCE", ValueKind::kText, "",
     "the installer's product source, joined to the launcher "
     "directory unless an http:// address"},
    {"NLS_ENABLED", ValueKind::kText, "TRUE", "passed to the installer"},
};
const std::size_t kVelmorKeyCount = sizeof kVelmorKeys / sizeof kVelmorKeys[0];

const VelmorKeyInfo* FindVelmorKey(std::string_view name) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (const VelmorKeyInfo& key : kVelmorKeys) {
    std::string_view known = key.name;
    if (known.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < name.size(); ++i) same = lower(known[i]) == lower(name[i]);
    if (same) return &key;
  }
  return nullptr;
}

namespace {

// The staged layout of a component on a distribution medium.
std::string StagedLocation(const char* component, const std::string& version) {
  return ComponentDataFiles(component, version) + "\\";
}

}  // namespace

std::string ReadVelmorKey(const KeyReader& read, const char* key, const std::string& default_value,
                          KeyKind kind) {
  std::string value = read(key, default_value);
  if (value.empty()) value = default_value;
  value.resize(std::min(value.size(), kMaxTextLength));
  if (kind == KeyKind::kFlag && value.size() > 1) value.resize(1);
  return value;
}

std::string ReadTableKey(const KeyReader& read, const char* key) {
  const VelmorKeyInfo* info = FindVelmorKey(key);
  return ReadVelmorKey(read, key, info->default_value,
                       info->kind == ValueKind::kFlag ? KeyKind::kFlag : KeyKind::kText);
}

std::vector<std::string> SplitBootstrapComponents(const std::string& text) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start <= text.size() && entries.size() < kMaxBootstrapComponents) {
    std::size_t comma = text.find(',', start);
    std::size_t end = comma == std::string::npos ? text.size() : comma;
    if (end > start) entries.push_back(text.substr(start, end - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return entries;
}

void ReadParameterKeys(const KeyReader& read, const ParameterOverrides& overrides,
                       const std::string& launcher_dir, const std::string& scratch_path,
                       ParameterSettings* p) {
  auto value = [&](const char* key) { return ReadTableKey(read, key); };
  // The keys whose default the launch computes.
  auto text = [&](const char* key, const std::string& def) {
    return ReadVelmorKey(read, key, def, KeyKind::kText);
  };

  p->distribution = value("DISTRIBUTION");
  p->distribution_mode = IsFlagOn(p->distribution);
  if (!overrides.jre_location_given) {
    std::string scratch_loc = value("JRE_SCRATCH_LOC");
    if (!scratch_loc.empty())
      StoreBounded(&p->jre_scratch_location, scratch_path + "\\" + scratch_loc);
    p->locations.jre = value("JRE_LOCATION");
  }
  p->access_dir = value("ACCESS_DIR");
  p->jre_memory_options = value("JRE_MEMORY_OPTIONS");
  p->tav_version = value("TAV_VERSION");
  p->jre_version = value("JRE_VERSION");
  p->use_jre_only = value("USEJREONLY");
  p->use_jdk_only = value("USEJDKONLY");
  p->disable_jre_prompt = value("DISABLE_JRE_PROMPT");

  bool staged = p->distribution_mode;
  p->locations.tav =
      text("TAV_LOCATION", staged ? StagedLocation(kInstallerId, p->tav_version) : launcher_dir);
  p->locations.tav_core =
      text("TAV_CORE_LOCATION",
           staged ? StagedLocation(kInstallerCoreId, p->tav_version) : launcher_dir);
  p->locations.patchel = text("PATCHEL_LOCATION",
                              staged ? StagedLocation(kPatchToolId, p->tav_version) : launcher_dir);

  p->bootstrap = value("BOOTSTRAP");
  p->bootstrap_size = value("BOOTSTRAP_SIZE");
  p->jre_osdparam = value("JRE_OSDPARAM");
  p->addto_classpath = value("ADDTO_CLASSPATH");
  p->install_class = value("INSTALL_CLASS");
  p->install_oneclick_class = value("INSTALL_ONECLICK_CLASS");
  if (staged) p->bootstrap = "TRUE";

  // A location written on the command line always wins; one derived from FROM_LOCATION
  // is only the default.
  p->locations.prereq_config = overrides.prereq_config_location;
  if (overrides.prereq_config_location.empty() || overrides.prereq_config_from_source) {
    p->locations.prereq_config = text("PREREQ_CONFIG_LOCATION", overrides.prereq_config_location);
  }

  p->wait_for_completion = value("WAIT_FOR_COMPLETION");
  p->copy_threads = value("COPY_THREADS");
  p->ext_jlib = value("EXT_JLIB");
  p->ext_lib = value("EXT_LIB");
  p->ext_bin = value("EXT_BIN");
  p->bootstrap_comps_text = value("BOOTSTRAP_COMPS");
  p->bootstrap_comps = SplitBootstrapComponents(p->bootstrap_comps_text);
}
