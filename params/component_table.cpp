#include "params/component_table.h"

#include "platform/path_join.h"

const ComponentInfo kComponents[kComponentCount] = {
#define COMPONENT(name, id, key, location, folder, optional, expanded_to_root, expanding, copying) \
  {Component::k##name,                                                                             \
   id,                                                                                             \
   VelmorKey::key,                                                                                 \
   &ComponentLocations::location,                                                                  \
   folder,                                                                                         \
   optional,                                                                                       \
   expanded_to_root,                                                                               \
   msg::expanding,                                                                                 \
   msg::copying},
#include "params/component_table.def"
};

const ComponentInfo* FindComponent(std::string_view id) {
  for (const ComponentInfo& component : kComponents) {
    if (id == component.id) return &component;
  }
  return nullptr;
}

std::string StagedComponentPath(const std::string& scratch_path, Component component) {
  return JoinPath(scratch_path, ComponentRow(component).scratch_folder);
}
