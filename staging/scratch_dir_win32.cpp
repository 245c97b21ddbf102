#include "staging/scratch_dir.h"

#include <direct.h>
#include <io.h>

#include <cstdlib>

#include "messages/format_text.h"
#include "messages/message_output.h"
#include "platform/ensure_directory.h"
#include "platform/held_directory_win32.h"
#include "platform/medium_layout.h"
#include "platform/path_exists.h"
#include "platform/process_token.h"
#include "platform/text_buffer.h"
#include "platform/wide_text_win32.h"
#include "platform/windows_prelude.h"
#include "staging/scratch_security.h"
#include "staging/temp_dir.h"

namespace {

// Names tried: the base name, then "_1" up to "_1024".
constexpr int kMaxScratchSuffix = kLastScratchNumber;

// The system's temporary directory and the Windows directory, for when TEMP fails.
TempDirSources SystemTempDirSources() {
  TempDirSources sources;
  wchar_t path[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, path);
  if (length > 0 && length <= MAX_PATH) sources.system_temp = WideToSystemText(path);
  length = GetWindowsDirectoryW(path, MAX_PATH + 1);
  if (length > 0 && length <= MAX_PATH) sources.windows_dir = WideToSystemText(path);
  return sources;
}

void ReportUnusable(const std::string& path) {
  ShowError(LocalText(msg::S_ERPERDIR, path.c_str()).c_str());
}

enum class Claim { kCreated, kTaken, kFailed };

// The scratch directory's access rules for the user running the launcher; none (TEMP's
// are inherited) when the token cannot tell who that is.
std::string ScratchSecurity() {
  std::string user_sid;
  if (!GetUserSidText(&user_sid)) return std::string();
  return ScratchSecurityDescriptor(user_sid, HasAdministrators());
}

// Creates `path` in one step, with its rules, and holds it. A name that exists already
// is taken, whoever made it.
Claim ClaimDirectory(const std::string& path, const std::string& sddl, HeldDirectory* hold) {
  DWORD error = CreateHeldDirectory(path, sddl, hold);
  if (error == 0) return Claim::kCreated;
  return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? Claim::kTaken
                                                                     : Claim::kFailed;
}

}  // namespace

std::string GetTempDir() {
  TempDirSources sources = SystemTempDirSources();
  sources.temp = std::getenv("TEMP");
  sources.tmp = std::getenv("TMP");
  return ChooseTempDir(sources);
}

bool IsTempFromEnvironment() {
  TempDirSources environment;
  environment.temp = std::getenv("TEMP");
  environment.tmp = std::getenv("TMP");
  return !ChooseTempDir(environment).empty();
}

int CreateScratchDir(const std::string& timestamp, std::string* scratch_path, HeldDirectory* hold) {
  std::string temp_dir = GetTempDir();
  *scratch_path = temp_dir;
  if (!PathExists(temp_dir)) {
    std::string parent = ParentOf(temp_dir);
    if (!parent.empty() && parent != temp_dir && EnsureDirectory(parent) == 0) {
      ReportUnusable(temp_dir);
      return -1;
    }
    _mkdir(temp_dir.c_str());
  }
  if (!IsReadWriteDirectory(temp_dir)) {
    ReportUnusable(temp_dir);
    return -1;
  }
  std::string base = ScratchBaseName(temp_dir, timestamp);
  // The longest name must fit the 1024-byte buffers that hold the scratch path.
  if (ScratchCandidate(base, kMaxScratchSuffix).size() > kMaxTextLength) {
    ReportUnusable(base);
    return -1;
  }
  std::string sddl = ScratchSecurity();
  for (int n = 0; n < kMaxScratchSuffix; ++n) {
    std::string candidate = ScratchCandidate(base, n);
    Claim claim = ClaimDirectory(candidate, sddl, hold);
    if (claim == Claim::kTaken) continue;
    *scratch_path = candidate;
    return claim == Claim::kCreated ? 0 : -1;
  }
  // Every name up to "_1023" is taken: report it, but still claim the last name.
  ReportUnusable(base);
  std::string last = ScratchCandidate(base, kMaxScratchSuffix);
  if (ClaimDirectory(last, sddl, hold) == Claim::kCreated) *scratch_path = last;
  return -1;
}
