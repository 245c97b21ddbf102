// The components a distribution medium stages, as BOOTSTRAP_COMPS names them.
//
// Each entry is "<id>:<version>": the id is the text before the first colon, the version
// the text after it up to the next colon. A component's archives lie in
// "..\stage\Components\<id>\<version>\1\DataFiles" (relative to the launcher directory).
// Four ids are known: the installer, its core and the patch tool are staged later from
// the listed place; the runtime only says that it is wanted. Any other id is expanded
// into the scratch root at once, and so is the runtime when only staging (-BOOTSTRAPONLY).
#ifndef STAGING_COMPONENT_LIST_H_
#define STAGING_COMPONENT_LIST_H_

#include <string>
#include <string_view>
#include <vector>

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
  // The stage flags: which of the known components the layout steps stage.
  bool installer = false;
  bool installer_core = false;
  bool patch_tool = false;
  bool runtime = false;
  // The listed source of a known component, or empty where its location stays.
  std::string tav_location;
  std::string tav_core_location;
  std::string patchel_location;
  // Components expanded into the scratch root during the list step, in list order.
  std::vector<ComponentEntry> expand_now;
};

// An empty list stages all four known components from their configured locations; a
// list stages what it names, a later entry of the same id replacing an earlier one.
ComponentSelection SelectComponents(const std::vector<std::string>& entries, bool bootstrap_only);

#endif  // STAGING_COMPONENT_LIST_H_
