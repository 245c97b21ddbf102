#include "params/parameter_file.h"

#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "params/parameter_search.h"
#include "params/parameter_settings.h"
#include "platform/full_path.h"
#include "platform/path_exists.h"
#include "platform/system_calls.h"
#include "platform/text_buffer.h"

namespace {

// The first candidate that exists, logging each miss; false when none does.
bool SearchParameterFile(const std::string& startup_dir, const std::string& launcher_dir,
                         std::string* found) {
  for (const std::string& candidate : ParameterFileCandidates(startup_dir, launcher_dir)) {
    if (candidate.size() <= kMaxTextLength && PathExists(candidate)) {
      *found = candidate;
      return true;
    }
    WriteLog(BaseText(msg::S_ERVELPARAMNFD_LOC, candidate.c_str()).c_str());
  }
  return false;
}

void MakeAbsolute(std::string* path, bool debug) {
  std::string full;
  if (GetFullPath(*path, &full)) {
    *path = full;
  } else if (debug) {
    g_system.report_error(LocalText(msg::S_ERABS_PATH, path->c_str()).c_str());
  }
}

}  // namespace

ParameterFileStatus ReadParameterFile(const ParameterOverrides& overrides,
                                      const std::string& launcher_dir, std::string* startup_dir,
                                      const std::string& scratch_path, ParameterSettings* params,
                                      const ParameterFileAccess& access) {
  std::string missing_user_file;
  std::string path = params->path;
  if (path.empty() || !PathExists(path)) {
    missing_user_file = path;
    if (!SearchParameterFile(*startup_dir, launcher_dir, &path)) {
      ShowError(LocalText(msg::S_ERVELPARAMNFD).c_str());
      WriteLog(BaseText(msg::S_ERVELPARAMNFD).c_str());
      return ParameterFileStatus::kNotFound;
    }
  }
  MakeAbsolute(&path, g_run_flags.debug);
  params->path = path;

  if (!missing_user_file.empty()) {
    ShowAndLogMessage(msg::S_ERUSR_PARAMFILE_NOT_FOUND, missing_user_file.c_str());
    ShowAndLogMessage(msg::S_DEF_PARAMFILE, path.c_str());
  } else {
    WriteLog(BaseText(msg::S_USING_PARAMFILE, path.c_str()).c_str());
  }

  *startup_dir = launcher_dir;

  // From a sealed medium, only the file as sealed, held so for every later read; the
  // launch stops on any other before it reads a key.
  if (!access.hold_medium_file(path)) return ParameterFileStatus::kRead;
  ReadParameterKeys(access.key_reader(path), overrides, launcher_dir, scratch_path, params);
  return ParameterFileStatus::kRead;
}
