#include "params/parameter_keys.h"

#include <algorithm>

#include "params/component_table.h"
#include "params/parameter_settings.h"
#include "platform/ascii_case.h"
#include "platform/medium_layout.h"
#include "platform/path_join.h"
#include "platform/text_buffer.h"

const VelmorKeyInfo kVelmorKeys[] = {
#define VELMOR_KEY(name, kind, default_value, field, note)                     \
  {VelmorKey::name,                                                            \
   #name,                                                                      \
   ValueKind::kind,                                                            \
   default_value,                                                              \
   [](ParameterSettings& settings) -> std::string& { return settings.field; }, \
   note},
#include "params/velmor_key_list.def"
};
const std::size_t kVelmorKeyCount = sizeof kVelmorKeys / sizeof kVelmorKeys[0];

const VelmorKeyInfo& VelmorKeyRow(VelmorKey key) { return kVelmorKeys[static_cast<int>(key)]; }

const VelmorKeyInfo* FindVelmorKey(std::string_view name) {
  for (const VelmorKeyInfo& key : kVelmorKeys) {
    if (SameIgnoringAsciiCase(key.name, name)) return &key;
  }
  return nullptr;
}

namespace {

// A key's value as a missing key leaves it.
std::string NormalDefault(const VelmorKeyInfo& key) {
  std::string value = key.default_value;
  if (key.kind == ValueKind::kFlag && value.size() > 1) value.resize(1);
  return value;
}

// The component whose location `key` is, or null.
const ComponentInfo* ComponentLocatedBy(VelmorKey key) {
  for (const ComponentInfo& component : kComponents) {
    if (component.location_key == key) return &component;
  }
  return nullptr;
}

// The default of a key the launch works out: a component's location is its staged
// layout on a distribution medium, else the launcher directory; the prerequisite
// definitions default to what FROM_LOCATION made of the command line.
std::string DefaultOf(const VelmorKeyInfo& key, const ParameterOverrides& overrides,
                      const std::string& launcher_dir, const ParameterSettings& p) {
  if (key.key == VelmorKey::PREREQ_CONFIG_LOCATION) return overrides.prereq_config_location;
  const ComponentInfo* component = ComponentLocatedBy(key.key);
  if (component == nullptr || component->component == Component::kRuntime) {
    return key.default_value;
  }
  if (!p.distribution_mode) return launcher_dir;
  return ComponentDataFiles(component->id, p.tav_version) + "\\";
}

// Whether the file's key is read at all: -jreLoc names the runtime instead of both
// runtime keys, and a location written on the command line instead of the file's
// PREREQ_CONFIG_LOCATION (one derived from FROM_LOCATION is only the default).
bool IsKeyRead(VelmorKey key, const ParameterOverrides& overrides) {
  switch (key) {
    case VelmorKey::JRE_SCRATCH_LOC:
    case VelmorKey::JRE_LOCATION:
      return !overrides.jre_location_given;
    case VelmorKey::PREREQ_CONFIG_LOCATION:
      return overrides.prereq_config_location.empty() || overrides.prereq_config_from_source;
    default:
      return true;
  }
}

}  // namespace

ParameterSettings::ParameterSettings() {
  for (const VelmorKeyInfo& key : kVelmorKeys) key.field(*this) = NormalDefault(key);
}

std::string ReadVelmorKey(const KeyReader& read, const char* key, const std::string& default_value,
                          ValueKind kind) {
  std::string value = read(key, default_value);
  if (value.empty()) value = default_value;
  value.resize(std::min(value.size(), kMaxTextLength));
  if (kind == ValueKind::kFlag && value.size() > 1) value.resize(1);
  return value;
}

std::string ReadTableKey(const KeyReader& read, VelmorKey key) {
  const VelmorKeyInfo& row = VelmorKeyRow(key);
  return ReadVelmorKey(read, row.name, row.default_value, row.kind);
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
  for (const VelmorKeyInfo& key : kVelmorKeys) {
    if (!IsKeyRead(key.key, overrides)) continue;
    std::string value =
        ReadVelmorKey(read, key.name, DefaultOf(key, overrides, launcher_dir, *p), key.kind);
    switch (key.key) {
      case VelmorKey::DISTRIBUTION:
        // The staged locations' defaults follow from it; it is read first.
        p->distribution_mode = IsFlagOn(value);
        break;
      case VelmorKey::JRE_SCRATCH_LOC:
        if (!value.empty()) StoreBounded(&value, JoinPath(scratch_path, value));
        break;
      default:
        break;
    }
    key.field(*p) = value;
  }
  if (!IsKeyRead(VelmorKey::PREREQ_CONFIG_LOCATION, overrides)) {
    p->locations.prereq_config = overrides.prereq_config_location;
  }
  if (p->distribution_mode) p->bootstrap = "TRUE";
  p->bootstrap_comps = SplitBootstrapComponents(p->bootstrap_comps_text);
}
