#include "platform/append_file.h"

#include <fcntl.h>
#include <io.h>

#include <vector>

#include "platform/final_path_win32.h"
#include "platform/scoped_handle_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/windows_prelude.h"

namespace {

std::wstring FullPathOf(const std::wstring& path) {
  DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return std::wstring();
  std::vector<wchar_t> full(length);
  if (GetFullPathNameW(path.c_str(), length, full.data(), nullptr) == 0) return std::wstring();
  return full.data();
}

// `path` with its last name as the folder holding it lists it: a short (8.3) name given
// becomes the long one, as the system names an opened file. The names before it need
// not be: the parent's name is taken from a handle. Walking every name, as
// GetLongPathNameW does, costs as much as the rest of opening a log.
std::wstring WithListedLastName(const std::wstring& path) {
  std::size_t name_at = path.rfind(L'\\');
  if (name_at == std::wstring::npos || name_at + 1 == path.size()) return path;
  // A pattern would list some other folder's name; no folder has one.
  if (path.find_first_of(L"*?", name_at) != std::wstring::npos) return path;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return path;
  FindClose(search);
  return path.substr(0, name_at + 1) + found.cFileName;
}

// The path the file at `path` must have once opened: its folder's parent as the system
// names it (a link the caller chose on the way is followed), then the folder's and the
// file's own names, which nothing may redirect.
std::wstring MeantPath(const std::string& path) {
  std::wstring full = FullPathOf(SystemTextToWide(path));
  std::size_t file_at = full.rfind(L'\\');
  if (file_at == std::wstring::npos) return std::wstring();
  std::wstring folder = WithListedLastName(full.substr(0, file_at));
  std::wstring name = full.substr(file_at + 1);
  std::size_t folder_at = folder.rfind(L'\\');
  if (folder_at == std::wstring::npos || folder_at < 2) return folder + L"\\" + name;
  std::wstring parent = folder.substr(0, folder_at);
  if (parent.back() == L':') parent += L'\\';
  ScopedHandle opened(CreateFileW(parent.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (opened.get() == INVALID_HANDLE_VALUE) return std::wstring();
  std::wstring final_parent = FinalWidePathOf(opened.get());
  if (final_parent.empty()) return std::wstring();
  if (final_parent.back() != L'\\') final_parent += L'\\';
  return final_parent + folder.substr(folder_at + 1) + L"\\" + name;
}

// By the Ex queries: the plain one also asks the volume for its serial number, which
// under Wine costs more than everything else here.
bool IsMeantFile(HANDLE file, const std::wstring& meant) {
  FILE_BASIC_INFO basic;
  FILE_STANDARD_INFO standard;
  return GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) &&
         GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) &&
         (basic.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) == 0 &&
         standard.NumberOfLinks == 1 && IsSamePath(FinalWidePathOf(file), meant);
}

constexpr DWORD kNotFollowed = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;

}  // namespace

std::FILE* OpenAppendFile(const std::string& path) {
  std::wstring meant = MeantPath(path);
  if (meant.empty()) return nullptr;
  // A new file is made by one call that fails on anything of its name, and goes again at
  // once when it turns out to lie elsewhere (a folder on the way was redirected).
  HANDLE made = CreateFileW(meant.c_str(), GENERIC_WRITE | DELETE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            CREATE_NEW, kNotFollowed, nullptr);
  if (made != INVALID_HANDLE_VALUE) {
    bool meant_file = IsMeantFile(made, meant);
    if (!meant_file) {
      FILE_DISPOSITION_INFO remove = {TRUE};
      SetFileInformationByHandle(made, FileDispositionInfo, &remove, sizeof remove);
    }
    CloseHandle(made);
    if (!meant_file) return nullptr;
  }
  // Opened for appending without the right to delete, which would bar other openers.
  HANDLE file = CreateFileW(meant.c_str(), FILE_GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, kNotFollowed, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  if (!IsMeantFile(file, meant)) {
    CloseHandle(file);
    return nullptr;
  }
  int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_APPEND | _O_TEXT);
  if (descriptor < 0) {
    CloseHandle(file);
    return nullptr;
  }
  std::FILE* stream = _fdopen(descriptor, "a");
  if (stream == nullptr) _close(descriptor);
  return stream;
}
