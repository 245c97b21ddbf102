#include "staging/component_staging.h"

#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "platform/list_files.h"
#include "platform/path_exists.h"
#include "platform/path_join.h"
#include "platform/windows_prelude.h"
#include "staging/archive_expansion.h"
#include "staging/component_list.h"
#include "staging/free_disk.h"
#include "staging/timing_log.h"
#include "staging/tree_walk.h"

namespace {

// Copies a component's tree; one that cannot be copied whole fails its step, and the
// installer log names what was missing.
bool CopyComponent(const std::string& source, const std::string& destination) {
  std::string failed;
  if (CopyTree(source, destination, &failed) == 0) return true;
  WriteLog(BaseText(msg::S_ERCOPY_INCOMPLETE, failed.c_str()).c_str());
  return false;
}

// The working state of one staging run.
struct Stager {
  explicit Stager(StagingRequest* request) : r(*request) {}
  StagingRequest& r;
  TimingLog timing;
  ComponentSelection selection;
  int result = kStagedNothing;
  bool runtime_found_in_scratch = false;

  std::string Scratch(const char* name) const { return JoinPath(r.scratch_path, name); }

  // Expands `source` into the scratch root, unless -NOBOOTSTRAP reuses what is there.
  bool Expand(const std::string& source) const {
    return r.no_bootstrap || ExpandJars(source, r.scratch_path, r.unzip_dir, r.debug) == 0;
  }
};

// Step 5: what the list stages, and the components expanded at once.
bool StageListedComponents(Stager* s) {
  StagingRequest& r = s->r;
  s->selection = SelectComponents(r.components, r.bootstrap_only);
  const ComponentSelection& selection = s->selection;
  if (!selection.tav_location.empty()) r.tav_location = selection.tav_location;
  if (!selection.tav_core_location.empty()) r.tav_core_location = selection.tav_core_location;
  if (!selection.patchel_location.empty()) r.patchel_location = selection.patchel_location;
  for (const ComponentEntry& component : selection.expand_now) {
    Stopwatch clock;
    if (!s->Expand(ComponentSourcePath(component))) return false;
    s->timing.Write(component.id, clock.Seconds(), TimingFormat::kListStep);
  }
  return true;
}

// Step 6: a runtime staged before, where JRE_SCRATCH_LOC says it is.
void CheckStagedRuntime(Stager* s) {
  const std::string& location = s->r.jre_scratch_location;
  if (location.empty()) return;
  std::string name;
  s->runtime_found_in_scratch = FindFirstEntryName(location, &name);
  if (!s->runtime_found_in_scratch) WriteLog(LocalMessage("S_ERJRE_MISSING"));
}

// Step 8: plain directories, copied whatever the list said.
bool StageInstalledLayout(Stager* s) {
  StagingRequest& r = s->r;
  if (r.copy_runtime && !r.jre_location.empty()) {
    if (!CopyComponent(r.jre_location, s->Scratch("jre"))) return false;
    r.jre_location = s->Scratch("jre");
  }
  if (!CopyComponent(r.tav_location, s->Scratch("tav"))) return false;
  r.tav_location = s->Scratch("tav");
  // The core shares the installer's directory; its files win over same-named ones.
  if (!CopyComponent(r.tav_core_location, s->Scratch("tav"))) return false;
  r.tav_core_location = s->Scratch("tav");
  if (!CopyComponent(r.patchel_location, s->Scratch("Patchel"))) return false;
  r.patchel_location = s->Scratch("Patchel");
  s->result = kStagedSome;
  return true;
}

// Step 9.1: the runtime's archives, then the runtime directory they made under "jre".
bool StageDistributedRuntime(Stager* s) {
  StagingRequest& r = s->r;
  Stopwatch clock;
  if (!s->Expand(r.jre_location)) return false;
  s->timing.Write(kRuntimeId, clock.Seconds(), TimingFormat::kLayoutStep);
  if (r.jre_version.size() > 2) {
    CopyTree(JoinPath(r.jre_location, "Expanded"), JoinPath(s->Scratch("jre"), r.jre_version));
  }
  std::string name;
  if (!FindFirstEntryName(JoinPath(s->Scratch("jre"), "*"), &name)) {
    ConsolePrint(LocalMessage("S_ERJRE_MISSING"));
    return false;
  }
  r.jre_location = JoinPath(s->Scratch("jre"), name);
  return true;
}

// Step 9: the components the list selected, expanded into the scratch root.
bool StageDistributionLayout(Stager* s) {
  StagingRequest& r = s->r;
  const ComponentSelection& selection = s->selection;
  // Without any runtime location (-BOOTSTRAPONLY with none named) there is nothing to
  // expand: an empty source would be the root of the current drive.
  if (r.copy_runtime && selection.runtime && !r.jre_location.empty()) {
    if (!StageDistributedRuntime(s)) return false;
  }
  if (selection.installer) {
    Stopwatch clock;
    if (!s->Expand(r.tav_location)) return false;
    s->timing.Write(kInstallerId, clock.Seconds(), TimingFormat::kLayoutStep);
    CopyTree(JoinPath(r.tav_location, "Expanded"), r.scratch_path);
    r.tav_location = s->Scratch("tav");
    s->result = kStagedSome;
  }
  if (selection.installer_core) {
    // The installer can run without a staged core: a failure leaves its location alone.
    Stopwatch clock;
    if (s->Expand(r.tav_core_location)) {
      s->timing.Write(kInstallerCoreId, clock.Seconds(), TimingFormat::kLayoutStep);
      r.tav_core_location = s->Scratch("tav");
      s->result = kStagedSome;
    }
  }
  if (selection.patch_tool) {
    Stopwatch clock;
    if (!s->Expand(r.patchel_location)) return false;
    s->timing.Write(kPatchToolId, clock.Seconds(), TimingFormat::kLayoutStep);
    r.patchel_location = s->Scratch("Patchel");
    s->result = kStagedSome;
  }
  return true;
}

// Steps 10 and 11: the runtime staged before, access files, prerequisite definitions.
bool StageSupportFiles(Stager* s) {
  StagingRequest& r = s->r;
  if (s->runtime_found_in_scratch) r.jre_location = r.jre_scratch_location;
  if (!r.access_dir.empty()) {
    Stopwatch clock;
    if (!r.no_bootstrap && !CopyComponent(r.access_dir, r.scratch_path)) return false;
    s->timing.Write("Access Files", clock.Seconds(), TimingFormat::kLayoutStep);
  }
  s->timing.Close();
  if (!r.prereq_config_location.empty()) {
    if (!CopyComponent(r.prereq_config_location, s->Scratch("prereq"))) return false;
    r.prereq_config_location = s->Scratch("prereq");
    s->result = kStagedSome;
  }
  return true;
}

// Steps 3 to 11: everything that needs the free space. False when a step fails.
bool StageEverything(Stager* s) {
  StagingRequest& r = s->r;
  if (!r.images_dir.empty()) {
    CopyTree(r.images_dir, s->Scratch("images"));
    r.images_dir = s->Scratch("images");
  }
  if (r.print_time) s->timing.Open(r.scratch_path, r.timestamp);
  if (!StageListedComponents(s)) return false;
  CheckStagedRuntime(s);
  bool staged = r.distribution ? StageDistributionLayout(s) : StageInstalledLayout(s);
  return staged && StageSupportFiles(s);
}

// Step 12: the extension directories, each into its own directory under "ext".
void StageExtensions(const Stager& s) {
  const StagingRequest& r = s.r;
  if (r.no_bootstrap) return;
  const std::pair<const std::string*, const char*> extensions[] = {
      {&r.ext_jlib, "jlib"}, {&r.ext_lib, "lib"}, {&r.ext_bin, "bin"}};
  bool any = false;
  for (const auto& extension : extensions) any = any || PathExists(*extension.first);
  if (!any) return;
  std::string ext = s.Scratch("ext");
  CreateDirectoryA(ext.c_str(), nullptr);
  for (const auto& [source, name] : extensions) {
    if (!PathExists(*source)) continue;
    std::string destination = JoinPath(ext, name);
    CreateDirectoryA(destination.c_str(), nullptr);
    CopyTree(*source, destination);
  }
}

// Step 13: what the runtime and installer directories hold, for the installer log.
void LogFileCounts(const Stager& s) {
  for (const char* name : {"jre", "tav"}) {
    WriteLog(
        BaseText(msg::S_NUMBER_OF_FILES_BOOTSTRAPPED, name, CountFiles(s.Scratch(name))).c_str());
  }
}

}  // namespace

int StageComponents(StagingRequest* request) {
  Stager s(request);
  StagingRequest& r = *request;
  OpenInstallerLog(r.scratch_path, r.timestamp, r.log_prefix);
  if (GetFreeDiskKB(r.scratch_path) < r.bootstrap_size_kb) {
    // Not enough room: no component is staged, and the launch ends.
    s.result = kStagingFailed;
  } else if (!StageEverything(&s)) {
    // A failed step ends staging at once; the logs are closed all the same.
    CloseInstallerLog();
    return kStagingFailed;
  }
  StageExtensions(s);
  LogFileCounts(s);
  CloseInstallerLog();
  return s.result;
}
