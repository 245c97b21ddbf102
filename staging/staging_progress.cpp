#include "staging/staging_progress.h"

#include "messages/format_text.h"
#include "messages/message_output.h"
#include "params/component_table.h"

void StagingProgress::ShowExpanding(const std::string& id) {
  ++shown_;
  const ComponentInfo* known = FindComponent(id);
  std::string line = known != nullptr
                         ? LocalText(known->expanding_line, shown_, total_)
                         : LocalText(msg::S_EXPANDING_OTHER, id.c_str(), shown_, total_);
  ConsolePrint(line.c_str());
}

void StagingProgress::ShowCopying(const ComponentInfo& component) {
  ++shown_;
  ConsolePrint(LocalText(component.copying_line, shown_, total_).c_str());
}
