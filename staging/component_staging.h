// Component staging: copying the installer's components from the medium into the
// scratch directory, so that the installer runs from the local disk.
//
// How this works. A distribution medium (DISTRIBUTION on) holds each component as a
// directory of jar archives, "..\stage\Components\<id>\<version>\1\DataFiles", which
// unzip expands into the scratch root; the archives' own paths put the runtime under
// "jre\<name>", the installer and its core under "tav" and the patch tool under
// "Patchel". An installed layout holds plain directories, copied as trees. Afterwards
// each location names its staged copy, and the Java command is built from those.
//
// The steps, in order: installer log; free space (a shortage skips to the extensions);
// images; timing log; the component list (BOOTSTRAP_COMPS: which known components are
// staged and from where; other ids expanded at once); an already staged runtime
// (JRE_SCRATCH_LOC); the layout's components; access files; prerequisite definitions;
// extensions; the file counts in the installer log. -NOBOOTSTRAP reuses a scratch
// directory staged before: it expands nothing and copies neither the access files nor
// the extensions, but the locations still move to the scratch copies.
//
// An empty source location is never walked or expanded (it would name the root of the
// current drive): the step that would use it is skipped.
#ifndef STAGING_COMPONENT_STAGING_H_
#define STAGING_COMPONENT_STAGING_H_

#include <cstdint>
#include <string>

class StagingDiskInterface;
struct ParameterSettings;

// Nothing was staged, something was, or staging failed (the launch then ends with -1).
constexpr int kStagedNothing = 0;
constexpr int kStagedSome = 10;
constexpr int kStagingFailed = 30;

// What the launch decided about staging; the rest comes from the parameter file.
struct StagingRequest {
  std::string scratch_path;
  std::string unzip_dir;  // the launcher directory
  std::string timestamp;  // names the timing log
  std::uint64_t bootstrap_size_kb = 0;
  bool no_bootstrap = false;
  bool print_time = false;
};

// Stages what `*params` names into the scratch directory and moves each of
// `params->locations` to its staged copy; returns kStagedNothing, kStagedSome or
// kStagingFailed. A failed expansion reports itself (staging/archive_expansion.h), a
// runtime missing after expansion shows S_ERJRE_MISSING; a shortage of free space shows
// nothing, and a component's copy that fails names what was missing in the installer
// log only.
int StageComponents(const StagingRequest& request, ParameterSettings* params,
                    StagingDiskInterface& disk);

#endif  // STAGING_COMPONENT_STAGING_H_
