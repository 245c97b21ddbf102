#include "params/parameter_file.h"

#include <cstdio>

#include "messages/format_text.h"
#include "messages/installer_log.h"
#include "messages/message_output.h"
#include "messages/messages.h"
#include "messages/run_flags.h"
#include "params/parameter_search.h"
#include "params/parameter_settings.h"
#include "params/profile_text.h"
#include "params/section_reader.h"
#include "platform/file_text.h"
#include "platform/full_path.h"
#include "platform/module_path_win32.h"
#include "platform/path_exists.h"
#include "platform/sealed_file_win32.h"
#include "platform/text_buffer.h"
#include "platform/windows_prelude.h"

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
    std::perror(LocalText(msg::S_ERABS_PATH, path->c_str()).c_str());
  }
}

}  // namespace

bool GetLauncherDirectory(std::string* directory) {
  std::string module;
  if (!GetModulePath(&module)) {
    // A truncated path would name some other directory.
    DWORD error = GetLastError() != 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    ConsolePrint(LocalText(msg::S_ERGOSLST, "GetCurrentDir()", static_cast<int>(error)).c_str());
    return false;
  }
  *directory = LauncherDirectoryOf(module);
  return true;
}

KeyReader ProfileKeyReader(const std::string& path) {
  // The file is read once, and every key answered from its text by the system reader's
  // rules; the system would open it again for each key. Only a file that cannot be read
  // whole, or is UTF-16, is left to the system.
  std::string bytes;
  std::string text;
  if (LoadSectionFile(path, &bytes) && ProfileTextOf(bytes, &text)) {
    // The system's reader would decode a legacy file as UTF-8 when that is the process's
    // code page: such a file's text is converted first.
    if (GetACP() == CP_UTF8 && IsLegacyText(text)) text = FileTextToSystemText(text);
    return [text](const char* key, const std::string& default_value) {
      return ReadProfileValue(text, "Velmor", key, default_value);
    };
  }
  return [path](const char* key, const std::string& default_value) {
    // Zeroed: a cut inside a character leaves a byte unwritten.
    char value[kTextBufferSize] = {};
    GetPrivateProfileStringA("Velmor", key, default_value.c_str(), value, sizeof value,
                             path.c_str());
    return std::string(value);
  };
}

ParameterFileStatus ReadParameterFile(const ParameterOverrides& overrides, std::string* startup_dir,
                                      const std::string& scratch_path, ParameterSettings* params) {
  std::string launcher_dir;
  GetLauncherDirectory(&launcher_dir);

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

  if (!GetLauncherDirectory(&launcher_dir)) return ParameterFileStatus::kNoLauncherDirectory;
  *startup_dir = launcher_dir;

  // From a sealed medium, only the file as sealed, held so for every later read; the
  // launch stops on any other before it reads a key.
  if (!HoldMediumFile(path)) return ParameterFileStatus::kRead;
  ReadParameterKeys(ProfileKeyReader(path), overrides, launcher_dir, scratch_path, params);
  return ParameterFileStatus::kRead;
}
