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
    for (bool& staged : selection.staged) staged = true;
    return selection;
  }
  for (const std::string& entry : entries) {
    if (entry.empty()) break;  // the list ends at the first empty slot
    ComponentEntry component;
    if (!ParseComponentEntry(entry, &component)) continue;
    // Ids compare exactly: "Velmor.swd.tav" is some other component.
    const ComponentInfo* known = FindComponent(component.id);
    // Only staging, the runtime is expanded with the rest: nothing runs it.
    bool runtime = known != nullptr && known->component == Component::kRuntime;
    if (known == nullptr || (runtime && bootstrap_only)) {
      selection.expand_now.push_back(component);
      continue;
    }
    std::size_t index = static_cast<std::size_t>(known->component);
    selection.staged[index] = true;
    if (!runtime) selection.source[index] = ComponentSourcePath(component);
  }
  return selection;
}

void ApplyListedSources(const ComponentSelection& selection, ComponentLocations* locations) {
  for (const ComponentInfo& component : kComponents) {
    const std::string& source = selection.SourceOf(component.component);
    if (!source.empty()) locations->*component.location = source;
  }
}
