#include "staging/scratch_cleanup.h"

#include "platform/final_path_win32.h"
#include "platform/held_directory_win32.h"
#include "platform/path_join.h"
#include "platform/process_token.h"
#include "platform/scoped_handle_win32.h"
#include "platform/security_descriptor_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/windows_prelude.h"
#include "staging/held_item_retry_win32.h"
#include "staging/scratch_security.h"
#include "staging/tree_walk.h"

namespace {

// `path` absolute and in its long form, as the system names the file it opens.
std::wstring LongFullPath(const std::wstring& path) {
  wchar_t full[32768];
  DWORD length = GetFullPathNameW(path.c_str(), 32768, full, nullptr);
  if (length == 0 || length >= 32768) return std::wstring();
  wchar_t long_form[32768];
  length = GetLongPathNameW(full, long_form, 32768);
  return length == 0 || length >= 32768 ? std::wstring(full) : std::wstring(long_form);
}

bool CopyContents(HANDLE from, HANDLE to) {
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(from, buffer, sizeof buffer, &read, nullptr)) return false;
    if (read == 0) return true;
    DWORD written = 0;
    if (!WriteFile(to, buffer, read, &written, nullptr) || written != read) return false;
  }
}

// Writes the log at `log_path` anew as `kept`, a file of TEMP's, and leaves it open in
// `*to` for the clean-up's own lines. The elevated launcher writes where the user
// decides what a name means: so the file is only ever created new (CREATE_NEW fails on
// anything there, a link included, and a link is not followed), and a file that turns
// out to lie elsewhere than `kept` (a folder on the way was redirected) is deleted again
// before anything is written into it.
bool WriteKeptLog(const std::string& log_path, const std::string& kept, ScopedHandle* to) {
  ScopedHandle from(CreateFileA(log_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (from.get() == INVALID_HANDLE_VALUE) return false;
  std::string user_sid;
  std::string sddl = GetUserSidText(&user_sid) ? KeptLogSecurityDescriptor(user_sid) : "";
  SecurityDescriptor descriptor(sddl);
  SECURITY_ATTRIBUTES security = {sizeof security, descriptor.get(), FALSE};
  std::wstring kept_wide = SystemTextToWide(kept);
  to->Reset(CreateFileW(kept_wide.c_str(), GENERIC_WRITE | DELETE, 0, &security, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (to->get() == INVALID_HANDLE_VALUE) return false;
  bool written = IsSamePath(FinalWidePathOf(to->get()), LongFullPath(kept_wide)) &&
                 CopyContents(from.get(), to->get());
  if (!written) {
    FILE_DISPOSITION_INFO remove = {TRUE};
    SetFileInformationByHandle(to->get(), FileDispositionInfo, &remove, sizeof remove);
    to->Close();
  }
  return written;
}

}  // namespace

void RemoveScratchKeepingLog(const std::string& scratch_path, HeldDirectory* hold,
                             const std::string& log_path, const std::string& temp_dir,
                             std::string* kept_log) {
  kept_log->clear();
  // The retries of held files are noted in the kept copy, through the handle that wrote
  // it; a log outside the scratch directory gets them as any other lines.
  ScopedHandle kept_handle;
  if (LiesBelow(log_path, scratch_path)) {
    std::string kept = JoinPath(temp_dir, log_path.substr(log_path.rfind('\\') + 1));
    if (!WriteKeptLog(log_path, kept, &kept_handle)) {
      *kept_log = log_path;
      return;
    }
    *kept_log = kept;
  }
  HeldItemRetry kept_retry(kept_handle.get());
  HeldItemRetry log_retry;
  // Held, the root cannot be swapped for a link while the walk empties it, and goes by
  // its hold: the path through TEMP may lead elsewhere by now.
  RemoveTree(scratch_path, kept_handle.get() != nullptr ? &kept_retry : &log_retry);
  hold->RemoveEmpty();
}
