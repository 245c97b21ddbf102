#include "params/parameter_keys.h"

#include <algorithm>

#include "params/parameter_settings.h"
#include "platform/medium_layout.h"
#include "platform/text_buffer.h"

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
  auto text = [&](const char* key, const std::string& def) {
    return ReadVelmorKey(read, key, def, KeyKind::kText);
  };
  auto flag = [&](const char* key, const std::string& def) {
    return ReadVelmorKey(read, key, def, KeyKind::kFlag);
  };

  p->distribution = flag("DISTRIBUTION", "F");
  p->distribution_mode = IsFlagOn(p->distribution);
  if (!overrides.jre_location_given) {
    std::string scratch_loc = text("JRE_SCRATCH_LOC", "");
    if (!scratch_loc.empty())
      StoreBounded(&p->jre_scratch_location, scratch_path + "\\" + scratch_loc);
    p->locations.jre = text("JRE_LOCATION", "");
  }
  p->access_dir = text("ACCESS_DIR", "");
  p->jre_memory_options = text("JRE_MEMORY_OPTIONS", "");
  p->tav_version = text("TAV_VERSION", "1.7.0.0.0");
  p->jre_version = text("JRE_VERSION", "");
  p->use_jre_only = text("USEJREONLY", "FALSE");
  p->use_jdk_only = text("USEJDKONLY", "FALSE");
  p->disable_jre_prompt = text("DISABLE_JRE_PROMPT", "FALSE");

  bool staged = p->distribution_mode;
  p->locations.tav =
      text("TAV_LOCATION", staged ? StagedLocation(kInstallerId, p->tav_version) : launcher_dir);
  p->locations.tav_core =
      text("TAV_CORE_LOCATION",
           staged ? StagedLocation(kInstallerCoreId, p->tav_version) : launcher_dir);
  p->locations.patchel = text("PATCHEL_LOCATION",
                              staged ? StagedLocation(kPatchToolId, p->tav_version) : launcher_dir);

  p->bootstrap = flag("BOOTSTRAP", "F");
  p->bootstrap_size = text("BOOTSTRAP_SIZE", "52");
  p->jre_osdparam = text("JRE_OSDPARAM", "");
  p->addto_classpath = text("ADDTO_CLASSPATH", "");
  p->install_class = text("INSTALL_CLASS", kInstallerClass);
  p->install_oneclick_class = text("INSTALL_ONECLICK_CLASS", kOneClickInstallerClass);
  if (staged) p->bootstrap = "TRUE";

  // A location written on the command line always wins; one derived from FROM_LOCATION
  // is only the default.
  p->locations.prereq_config = overrides.prereq_config_location;
  if (overrides.prereq_config_location.empty() || overrides.prereq_config_from_source) {
    p->locations.prereq_config = text("PREREQ_CONFIG_LOCATION", overrides.prereq_config_location);
  }

  p->wait_for_completion = flag("WAIT_FOR_COMPLETION", "F");
  p->copy_threads = text("COPY_THREADS", "0");
  p->ext_jlib = text("EXT_JLIB", "");
  p->ext_lib = text("EXT_LIB", "");
  p->ext_bin = text("EXT_BIN", "");
  p->bootstrap_comps_text = text("BOOTSTRAP_COMPS", "");
  p->bootstrap_comps = SplitBootstrapComponents(p->bootstrap_comps_text);
}
