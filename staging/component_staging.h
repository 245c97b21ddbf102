// Component staging: copying the installer's components from the medium into the
// scratch directory, so that the installer runs from the local disk.
#ifndef STAGING_COMPONENT_STAGING_H_
#define STAGING_COMPONENT_STAGING_H_

#include <string>
#include <vector>

// Nothing was staged, something was, or staging failed (the launch then ends with -1).
constexpr int kStagedNothing = 0;
constexpr int kStagedSome = 10;
constexpr int kStagingFailed = 30;

struct StagingRequest {
  std::string scratch_path;
  // In and out: the medium's locations on entry, the staged copies on return.
  std::string tav_location;
  std::string tav_core_location;
  std::string patchel_location;
  std::string jre_location;
  std::string images_dir;
  std::string prereq_config_location;

  std::string jre_scratch_location;
  std::string tav_version;
  std::string jre_version;
  std::string unzip_dir;  // the launcher directory
  long long bootstrap_size_kb = 0;
  bool distribution = false;
  std::string ext_jlib;
  std::string ext_lib;
  std::string ext_bin;
  bool copy_runtime = false;
  std::string timestamp;
  std::string log_prefix;
  std::vector<std::string> components;  // BOOTSTRAP_COMPS entries, "id:version"
  std::string access_dir;
  bool bootstrap_only = false;
  bool no_bootstrap = false;
  bool print_time = false;
};

// Stages what `*request` names; returns kStagedNothing, kStagedSome or kStagingFailed.
int StageComponents(StagingRequest* request);

#endif  // STAGING_COMPONENT_STAGING_H_
