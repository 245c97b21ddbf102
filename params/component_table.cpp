#include "params/component_table.h"

#include "platform/path_join.h"

const ComponentInfo kComponents[kComponentCount] = {
#define COMPONENT(name, id, key, location, folder, optional, expanded_to_root)              \
  {Component::k##name, id, VelmorKey::key, &ComponentLocations::location, folder, optional, \
   expanded_to_root},
#include "params/component_table.def"
};

std::string StagedComponentPath(const std::string& scratch_path, Component component) {
  return JoinPath(scratch_path, ComponentRow(component).scratch_folder);
}
