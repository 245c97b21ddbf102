#include "launcher/scratch_cleanup.h"

#include <string.h>

#include "platform/path_join.h"
#include "platform/windows_prelude.h"
#include "staging/tree_walk.h"

namespace {

// Whether `path` lies below `directory`.
bool LiesIn(const std::string& path, const std::string& directory) {
  return !directory.empty() && path.size() > directory.size() + 1 &&
         _strnicmp(path.c_str(), directory.c_str(), directory.size()) == 0 &&
         path[directory.size()] == '\\';
}

}  // namespace

void RemoveScratchKeepingLog(const std::string& scratch_path, const std::string& log_path,
                             const std::string& temp_dir, std::string* kept_log) {
  kept_log->clear();
  if (LiesIn(log_path, scratch_path)) {
    std::string kept = JoinPath(temp_dir, log_path.substr(log_path.rfind('\\') + 1));
    // Never over another file: one of that name in TEMP is not ours to replace.
    if (!MoveFileExA(log_path.c_str(), kept.c_str(), MOVEFILE_COPY_ALLOWED)) {
      *kept_log = log_path;
      return;
    }
    *kept_log = kept;
  }
  RemoveTree(scratch_path);
}
