#include "staging/component_list.h"

bool ParseComponentEntry(std::string_view entry, ComponentEntry* component) {
  std::size_t colon = entry.find(':');
  if (colon == std::string_view::npos) return false;
  std::string_view version = entry.substr(colon + 1);
  version = version.substr(0, version.find(':'));
  if (version.empty()) return false;
  component->id = std::string(entry.substr(0, colon));
  component->version = std::string(version);
  return true;
}

std::string ComponentSourcePath(const ComponentEntry& component) {
  return ComponentDataFiles(component.id, component.version);
}

ComponentSelection SelectComponents(const std::vector<std::string>& entries, bool bootstrap_only) {
  ComponentSelection selection;
  if (entries.empty() || entries[0].empty()) {
    selection.installer = selection.installer_core = selection.patch_tool = true;
    selection.runtime = true;
    return selection;
  }
  for (const std::string& entry : entries) {
    if (entry.empty()) break;  // the list ends at the first empty slot
    ComponentEntry component;
    if (!ParseComponentEntry(entry, &component)) continue;
    // Ids compare exactly: "Velmor.swd.tav" is some other component.
    const std::string& id = component.id;
    if (id == kInstallerId) {
      selection.installer = true;
      selection.tav_location = ComponentSourcePath(component);
    } else if (id == kInstallerCoreId) {
      selection.installer_core = true;
      selection.tav_core_location = ComponentSourcePath(component);
    } else if (id == kPatchToolId) {
      selection.patch_tool = true;
      selection.patchel_location = ComponentSourcePath(component);
    } else if (id == kRuntimeId && !bootstrap_only) {
      selection.runtime = true;  // staged from the runtime location, whatever the version
    } else {
      selection.expand_now.push_back(component);
    }
  }
  return selection;
}
