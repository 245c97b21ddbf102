#include "staging/component_staging.h"

#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "params/component_table.h"
#include "params/parameter_settings.h"
#include "platform/medium_layout.h"
#include "platform/path_exists.h"
#include "platform/path_join.h"
#include "platform/sealed_medium.h"
#include "staging/component_list.h"
#include "staging/staging_disk.h"
#include "staging/staging_progress.h"
#include "staging/timing_log.h"

namespace {

// Copies a component's tree; one that cannot be copied whole fails its step, and the
// installer log names what was missing.
bool CopyComponent(StagingDiskInterface& disk, const std::string& source,
                   const std::string& destination) {
  std::string failed;
  if (disk.CopyTree(source, destination, &failed) == 0) return true;
  // A file refused by the seal is reported as such when the launch stops on it.
  if (g_sealed_medium == nullptr || !g_sealed_medium->broken())
    WriteLog(BaseText(msg::S_ERCOPY_INCOMPLETE, failed.c_str()).c_str());
  return false;
}

// The working state of one staging run.
struct Stager {
  Stager(const StagingRequest& request, ParameterSettings* params, StagingDiskInterface& disk)
      : r(request),
        p(*params),
        loc(params->locations),
        disk(disk),
        distribution(IsFlagOn(params->distribution)) {}
  const StagingRequest& r;
  const ParameterSettings& p;
  ComponentLocations& loc;
  StagingDiskInterface& disk;
  const bool distribution;
  TimingLog timing;
  StagingProgress progress;
  ComponentSelection selection;
  int result = kStagedNothing;
  bool runtime_found_in_scratch = false;

  std::string Scratch(const char* name) const { return JoinPath(r.scratch_path, name); }
  std::string Staged(Component component) const {
    return StagedComponentPath(r.scratch_path, component);
  }
  std::string& Location(const ComponentInfo& component) const { return loc.*component.location; }

  // Expands the archives of the component `id` from `source` into the scratch root,
  // unless -NOBOOTSTRAP reuses what is there.
  bool Expand(const std::string& source, const std::string& id) {
    if (r.no_bootstrap) return true;
    progress.ShowExpanding(id);
    return disk.ExpandJars(source, r.scratch_path, r.unzip_dir, g_run_flags.debug) == 0;
  }

  // Copies a component's tree (CopyComponent).
  bool Copy(const std::string& source, const std::string& destination) const {
    return CopyComponent(disk, source, destination);
  }
  // Copies a tree whose failure staging does without.
  void CopyIfAny(const std::string& source, const std::string& destination) const {
    disk.CopyTree(source, destination, nullptr);
  }
};

// Whether the layout step stages `component`: on a distribution medium only what the
// list selected; and never a runtime from outside the medium, nor one without a location
// (-BOOTSTRAPONLY with none named), whose empty source would be the root of the current
// drive.
bool LayoutStages(const Stager& s, const ComponentInfo& component) {
  if (s.distribution && !s.selection.Stages(component.component)) return false;
  return component.component != Component::kRuntime ||
         (!s.loc.jre_external && !s.Location(component).empty());
}

// The components this run expands or copies, which the progress lines count:
// -NOBOOTSTRAP expands none, but an installed layout is still copied.
int CountStagedComponents(const Stager& s) {
  if (s.r.no_bootstrap && s.distribution) return 0;
  int count = s.r.no_bootstrap ? 0 : static_cast<int>(s.selection.expand_now.size());
  for (const ComponentInfo& component : kComponents) count += LayoutStages(s, component) ? 1 : 0;
  return count;
}

// Step 5: what the list stages, and the components expanded at once.
bool StageListedComponents(Stager* s) {
  ComponentLocations& loc = s->loc;
  s->selection = SelectComponents(s->p.bootstrap_comps, g_run_flags.bootstrap_only);
  const ComponentSelection& selection = s->selection;
  ApplyListedSources(selection, &loc);
  s->progress.SetTotal(CountStagedComponents(*s));
  for (const ComponentEntry& component : selection.expand_now) {
    Stopwatch clock;
    if (!s->Expand(ComponentSourcePath(component), component.id)) return false;
    s->timing.Write(component.id, clock.Seconds(), TimingFormat::kListStep);
  }
  return true;
}

// Step 6: a runtime staged before, where JRE_SCRATCH_LOC says it is.
void CheckStagedRuntime(Stager* s) {
  const std::string& location = s->p.jre_scratch_location;
  if (location.empty()) return;
  std::string name;
  s->runtime_found_in_scratch = s->disk.FindFirstEntryName(location, &name);
  if (!s->runtime_found_in_scratch) WriteLog(BaseMessage(msg::S_ERJRE_MISSING));
}

// Step 8: plain directories, copied whatever the list said.
bool StageInstalledLayout(Stager* s) {
  for (const ComponentInfo& component : kComponents) {
    if (!LayoutStages(*s, component)) continue;
    std::string& location = s->Location(component);
    s->progress.ShowCopying(component);
    if (!s->Copy(location, s->Staged(component.component))) return false;
    location = s->Staged(component.component);
  }
  s->result = kStagedSome;
  return true;
}

// Step 9.1: the runtime's archives, then the runtime directory they made under "jre".
bool StageDistributedRuntime(Stager* s) {
  ComponentLocations& loc = s->loc;
  const std::string& version = s->p.jre_version;
  std::string staged = s->Staged(Component::kRuntime);
  Stopwatch clock;
  if (!s->Expand(loc.jre, ComponentId(Component::kRuntime))) return false;
  s->timing.Write(ComponentId(Component::kRuntime), clock.Seconds(), TimingFormat::kLayoutStep);
  if (version.size() > 2) s->CopyIfAny(JoinPath(loc.jre, "Expanded"), JoinPath(staged, version));
  std::string name;
  if (!s->disk.FindFirstEntryName(JoinPath(staged, "*"), &name)) {
    ConsolePrint(LocalMessage(msg::S_ERJRE_MISSING));
    return false;
  }
  loc.jre = JoinPath(staged, name);
  return true;
}

// Step 9: the components the list selected, expanded into the scratch root.
bool StageDistributionLayout(Stager* s) {
  for (const ComponentInfo& component : kComponents) {
    if (!LayoutStages(*s, component)) continue;
    std::string& location = s->Location(component);
    if (component.component == Component::kRuntime) {
      if (!StageDistributedRuntime(s)) return false;
      continue;
    }
    Stopwatch clock;
    if (!s->Expand(location, component.id)) {
      // An optional component's failure leaves its location alone.
      if (component.optional) continue;
      return false;
    }
    s->timing.Write(component.id, clock.Seconds(), TimingFormat::kLayoutStep);
    if (component.expanded_to_root) {
      s->CopyIfAny(JoinPath(location, "Expanded"), s->r.scratch_path);
    }
    location = s->Staged(component.component);
    s->result = kStagedSome;
  }
  return true;
}

// Steps 10 and 11: the runtime staged before, access files, prerequisite definitions.
bool StageSupportFiles(Stager* s) {
  const StagingRequest& r = s->r;
  ComponentLocations& loc = s->loc;
  if (s->runtime_found_in_scratch) loc.jre = s->p.jre_scratch_location;
  if (!s->p.access_dir.empty()) {
    Stopwatch clock;
    if (!r.no_bootstrap && !s->Copy(s->p.access_dir, r.scratch_path)) return false;
    s->timing.Write("Access Files", clock.Seconds(), TimingFormat::kLayoutStep);
  }
  s->timing.Close();
  if (!loc.prereq_config.empty()) {
    if (!s->Copy(loc.prereq_config, s->Scratch(kScratchPrereqFolder))) return false;
    loc.prereq_config = s->Scratch(kScratchPrereqFolder);
    s->result = kStagedSome;
  }
  return true;
}

// Steps 3 to 11: everything that needs the free space. False when a step fails.
bool StageEverything(Stager* s) {
  const StagingRequest& r = s->r;
  ComponentLocations& loc = s->loc;
  if (!loc.images.empty()) {
    s->CopyIfAny(loc.images, s->Scratch(kScratchImagesFolder));
    loc.images = s->Scratch(kScratchImagesFolder);
  }
  if (r.print_time) s->timing.Open(r.scratch_path, r.timestamp);
  if (!StageListedComponents(s)) return false;
  CheckStagedRuntime(s);
  bool staged = s->distribution ? StageDistributionLayout(s) : StageInstalledLayout(s);
  return staged && StageSupportFiles(s);
}

// Step 12: the extension directories, each into its own directory under "ext".
void StageExtensions(const Stager& s) {
  if (s.r.no_bootstrap) return;
  const ParameterSettings& p = s.p;
  const std::pair<const std::string*, const char*> extensions[] = {
      {&p.ext_jlib, kExtensionJars},
      {&p.ext_lib, kExtensionLibraries},
      {&p.ext_bin, kExtensionPrograms}};
  bool any = false;
  for (const auto& extension : extensions) any = any || PathExists(*extension.first);
  if (!any) return;
  s.disk.MakeDirectory(ScratchExtensionFolder(s.r.scratch_path));
  for (const auto& [source, name] : extensions) {
    if (!PathExists(*source)) continue;
    std::string destination = ScratchExtensionFolder(s.r.scratch_path, name);
    s.disk.MakeDirectory(destination);
    s.CopyIfAny(*source, destination);
  }
}

// Step 13: what the runtime and installer directories hold, for the installer log.
void LogFileCounts(const Stager& s) {
  for (Component component : {Component::kRuntime, Component::kInstaller}) {
    WriteLog(BaseText(msg::S_NUMBER_OF_FILES_BOOTSTRAPPED, ComponentRow(component).scratch_folder,
                      s.disk.CountFiles(s.Staged(component)))
                 .c_str());
  }
}

}  // namespace

int StageComponents(const StagingRequest& request, ParameterSettings* params,
                    StagingDiskInterface& disk) {
  Stager s(request, params, disk);
  const StagingRequest& r = request;
  if (disk.FreeKilobytes(r.scratch_path) < r.bootstrap_size_kb) {
    // Not enough room: no component is staged, and the launch ends.
    s.result = kStagingFailed;
  } else if (!StageEverything(&s)) {
    // A failed step ends staging at once.
    return kStagingFailed;
  }
  StageExtensions(s);
  LogFileCounts(s);
  return s.result;
}
