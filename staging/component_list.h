// The components a distribution medium stages, as BOOTSTRAP_COMPS names them.
//
// Each entry is "<id>:<version>": the id is the text before the first colon, the version
// the text after it up to the next colon. A component's archives lie in
// "..\stage\Components\<id>\<version>\1\DataFiles" (relative to the launcher directory).
// The ids of the component table are known: the installer, its core and the patch tool
// are staged later from the listed place; the runtime only says that it is wanted. Any other id is
// expanded into the scratch root at once, and so is the runtime when only staging (-BOOTSTRAPONLY).
#ifndef STAGING_COMPONENT_LIST_H_
#define STAGING_COMPONENT_LIST_H_

#include <string>
#include <string_view>
#include <vector>

#include "params/component_table.h"
#include "platform/medium_layout.h"

struct ComponentEntry {
  std::string id;
  std::string version;
};

// Splits "id:version[:...]". False for an entry without a version ("id", "id:"), which
// names no directory and is ignored.
bool ParseComponentEntry(std::string_view entry, ComponentEntry* component);

// The component's DataFiles directory on the medium (ComponentDataFiles).
std::string ComponentSourcePath(const ComponentEntry& component);

// What the component list asks for.
struct ComponentSelection {
  // Which of the known components (params/component_table.h) the layout steps stage,
  // and the listed source of each, or empty where its location stays. The runtime never
  // takes a listed source: it is staged from its own location, whatever the version.
  bool staged[kComponentCount] = {};
  std::string source[kComponentCount];
  // Components expanded into the scratch root during the list step, in list order.
  std::vector<ComponentEntry> expand_now;

  bool Stages(Component component) const { return staged[static_cast<std::size_t>(component)]; }
  const std::string& SourceOf(Component component) const {
    return source[static_cast<std::size_t>(component)];
  }
};

// An empty list stages every known component from its configured location; a list
// stages what it names, a later entry of the same id replacing an earlier one.
ComponentSelection SelectComponents(const std::vector<std::string>& entries, bool bootstrap_only);

// Moves each component the list names to its listed source.
void ApplyListedSources(const ComponentSelection& selection, ComponentLocations* locations);

#endif  // STAGING_COMPONENT_LIST_H_
