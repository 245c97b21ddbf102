// The installer's components, one row each (component_table.def): the selection, both
// ways of staging, the locations made absolute, the class path, velcheck and the
// reference all walk this table, so that adding a component is adding a row.
#ifndef PARAMS_COMPONENT_TABLE_H_
#define PARAMS_COMPONENT_TABLE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "messages/message_keys.h"
#include "params/parameter_keys.h"
#include "params/parameter_settings.h"

enum class Component {
#define COMPONENT(name, ...) k##name,
#include "params/component_table.def"
};

inline constexpr std::size_t kComponentCount = 0
#define COMPONENT(...) +1
#include "params/component_table.def"
    ;

struct ComponentInfo {
  Component component;
  const char* id;
  VelmorKey location_key;
  std::string ComponentLocations::*location;
  const char* scratch_folder;
  bool optional;
  bool expanded_to_root;
  // Its progress lines, formatted with its number and the total.
  MessageKey<'d', 'd'> expanding_line;
  MessageKey<'d', 'd'> copying_line;
};

// Every component, in the order staging takes them; kComponents[i].component is the
// i-th Component.
extern const ComponentInfo kComponents[kComponentCount];

inline const ComponentInfo& ComponentRow(Component component) {
  return kComponents[static_cast<std::size_t>(component)];
}

// The id of a component: ComponentRow(component).id.
inline const char* ComponentId(Component component) { return ComponentRow(component).id; }

// The component whose id is exactly `id`, or nullptr for an id the launcher does not know.
const ComponentInfo* FindComponent(std::string_view id);

// "<scratch>\<folder>": where the component is once staged.
std::string StagedComponentPath(const std::string& scratch_path, Component component);

#endif  // PARAMS_COMPONENT_TABLE_H_
