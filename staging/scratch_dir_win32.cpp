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

// The Windows directory, as the system knows it (never from the environment).
std::string WindowsDirectory() {
  wchar_t path[MAX_PATH + 1];
  UINT length = GetSystemWindowsDirectoryW(path, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? WideToSystemText(path) : std::string();
}

bool IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// TEMP and TMP, and the system's temporary directory and the Windows directory for when
// they fail. An elevated launcher never creates a missing TEMP: one that is not there
// is unusable, as one that is not a path.
TempDirSources TempSources(bool with_system) {
  TempDirSources sources;
  sources.temp = std::getenv("TEMP");
  sources.tmp = std::getenv("TMP");
  if (with_system) {
    wchar_t path[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, path);
    if (length > 0 && length <= MAX_PATH) sources.system_temp = WideToSystemText(path);
    sources.windows_dir = WindowsDirectory();
  }
  if (HasAdministrators()) {
    if (sources.temp != nullptr && !IsDirectory(sources.temp)) sources.temp = "";
    if (sources.temp == nullptr && sources.tmp != nullptr && !IsDirectory(sources.tmp)) {
      sources.tmp = "";
    }
    if (!IsDirectory(sources.system_temp)) sources.system_temp.clear();
  }
  return sources;
}

void ReportUnusable(const std::string& path) {
  ShowError(LocalText(msg::S_ERPERDIR, path.c_str()).c_str());
}

enum class Claim { kCreated, kTaken, kFailed };

// Creates `path` in one step, with its rules, and holds it. A name that exists already
// is taken, whoever made it.
Claim ClaimDirectory(const std::string& path, const std::string& sddl, HeldDirectory* hold) {
  DWORD error = CreateHeldDirectory(path, sddl, hold);
  if (error == 0) return Claim::kCreated;
  return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? Claim::kTaken
                                                                     : Claim::kFailed;
}

// The path the hold pinned, within the 1023-character buffers; -1 when there is none.
int TakePinnedPath(const HeldDirectory& hold, std::string* scratch_path) {
  const std::string& pinned = hold.pinned_path();
  if (pinned.empty() || pinned.size() > kMaxTextLength) {
    ReportUnusable(*scratch_path);
    return -1;
  }
  *scratch_path = pinned;
  return 0;
}

// Creates the scratch directory under `temp_dir` with the rules `sddl`.
int CreateIn(const std::string& temp_dir, const std::string& timestamp, const std::string& sddl,
             std::string* scratch_path, HeldDirectory* hold) {
  std::string base = ScratchBaseName(temp_dir, timestamp);
  // The longest name must fit the 1024-byte buffers that hold the scratch path.
  if (ScratchCandidate(base, kMaxScratchSuffix).size() > kMaxTextLength) {
    ReportUnusable(base);
    return -1;
  }
  for (int n = 0; n < kMaxScratchSuffix; ++n) {
    std::string candidate = ScratchCandidate(base, n);
    Claim claim = ClaimDirectory(candidate, sddl, hold);
    if (claim == Claim::kTaken) continue;
    *scratch_path = candidate;
    return claim == Claim::kCreated ? TakePinnedPath(*hold, scratch_path) : -1;
  }
  // Every name up to "_1023" is taken: report it, but still claim the last name.
  ReportUnusable(base);
  std::string last = ScratchCandidate(base, kMaxScratchSuffix);
  if (ClaimDirectory(last, sddl, hold) == Claim::kCreated) {
    *scratch_path = last;
    TakePinnedPath(*hold, scratch_path);
  }
  return -1;
}

// Whether the held directory's volume keeps its rules.
bool KeepsRules(const HeldDirectory& hold) {
  bool persistent_acls = false, remote = true;
  if (!hold.GetVolumeFacts(&persistent_acls, &remote)) return false;
  return KeepsAccessRules(hold.pinned_path(), persistent_acls, remote);
}

}  // namespace

std::string GetTempDir() { return ChooseTempDir(TempSources(true)); }

bool IsTempFromEnvironment() { return !ChooseTempDir(TempSources(false)).empty(); }

int CreateScratchDir(const std::string& timestamp, std::string* scratch_path, HeldDirectory* hold,
                     bool* outside_temp) {
  bool elevated = HasAdministrators();
  std::string temp_dir = GetTempDir();
  *scratch_path = temp_dir;
  *outside_temp = !IsTempFromEnvironment();
  std::string user_sid;
  if (!GetUserSidText(&user_sid) && elevated) {
    // TEMP's inherited rules would let the user's programs change what is staged.
    ShowError(LocalText(msg::S_ERR_USER_UNKNOWN).c_str());
    return -1;
  }
  // Not elevated and nameless: no rules given, so TEMP's are inherited.
  std::string sddl = user_sid.empty() ? "" : ScratchSecurityDescriptor(user_sid, elevated);
  if (!elevated && !PathExists(temp_dir)) {
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
  int status = CreateIn(temp_dir, timestamp, sddl, scratch_path, hold);
  if (status != 0 || !elevated || KeepsRules(*hold)) return status;
  // Rules that TEMP's volume would not keep mean nothing: the system's protected
  // temporary directory instead.
  hold->RemoveEmpty();
  std::string windows_dir = WindowsDirectory();
  std::string protected_dir =
      ProtectedTempDir(windows_dir, IsDirectory(ProtectedTempDir(windows_dir, true)));
  *outside_temp = true;
  *scratch_path = protected_dir;
  return CreateIn(protected_dir, timestamp, sddl, scratch_path, hold);
}

int HoldGivenScratchDir(std::string* scratch_path, HeldDirectory* hold) {
  bool held = HoldDirectory(*scratch_path, hold);
  const std::string& pinned = hold->pinned_path();
  bool pinnable = held && !pinned.empty() && pinned.size() <= kMaxTextLength;
  if (!HasAdministrators()) {
    // Used as given; one that is not there yet is the installer's to make.
    if (pinnable) *scratch_path = pinned;
    return 0;
  }
  if (pinnable && !hold->IsReparsePoint() && IsAdministratorsOnlyDescriptor(hold->SecurityText())) {
    *scratch_path = pinned;
    return 0;
  }
  // Whatever is in it, or will be, could be the user's own: nothing of it is used.
  hold->Release();
  ShowError(LocalText(msg::S_ERR_SCRATCH_NOT_PROTECTED, scratch_path->c_str()).c_str());
  return -1;
}

bool IsScratchInPlace(const HeldDirectory& hold) {
  if (!hold.held() || hold.IsAtPinnedPath()) return true;
  ShowError(LocalText(msg::S_ERR_SCRATCH_MOVED, hold.pinned_path().c_str()).c_str());
  return false;
}
