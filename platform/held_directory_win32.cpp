#include "platform/held_directory_win32.h"

#include <winternl.h>

#include <vector>

#include "platform/final_path_win32.h"
#include "platform/security_descriptor_win32.h"
#include "platform/wide_text_win32.h"

// After windows.h, which they need.
#include <aclapi.h>

namespace {

// Listing rights, so the hold counts against other openers' sharing; no delete right,
// so the installer and the walks below it may still open the directory (a delete right
// would bar every opener that does not share delete, directory listings among them).
constexpr DWORD kHoldAccess = FILE_LIST_DIRECTORY | READ_CONTROL | SYNCHRONIZE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kHoldSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;

// `path` from the ANSI code page as an absolute NT path: "\??\C:\..." or "\??\UNC\...".
bool NtPathOf(const std::string& path, std::wstring* nt_path) {
  std::wstring wide = SystemTextToWide(path);
  if (wide.empty()) return false;
  DWORD full_length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (full_length == 0) return false;
  std::vector<wchar_t> full(full_length);
  if (GetFullPathNameW(wide.c_str(), full_length, full.data(), nullptr) == 0) return false;
  std::wstring text = full.data();
  if (text.compare(0, 4, L"\\\\?\\") == 0) {
    *nt_path = L"\\??\\" + text.substr(4);
  } else if (text.compare(0, 2, L"\\\\") == 0) {
    *nt_path = L"\\??\\UNC\\" + text.substr(2);
  } else {
    *nt_path = L"\\??\\" + text;
  }
  return true;
}

// ntdll's NtCreateFile and RtlNtStatusToDosError, looked up rather than imported: the
// launcher imports from kernel32, advapi32 and the C runtime only.
using NtCreateFileFn = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK,
                                        PLARGE_INTEGER, ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
using RtlNtStatusToDosErrorFn = ULONG(NTAPI*)(NTSTATUS);
using NtQueryVolumeInformationFileFn = NTSTATUS(NTAPI*)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG,
                                                        FS_INFORMATION_CLASS);
// A remote volume's device, as the driver kit's headers name them: FILE_REMOTE_DEVICE
// among the characteristics, FILE_DEVICE_NETWORK_FILE_SYSTEM as the type.
constexpr ULONG kRemoteDevice = 0x10;
constexpr DEVICE_TYPE kNetworkFileSystem = 0x14;

template <typename Function>
Function NtProcedure(const char* name) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (ntdll == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

}  // namespace

void HeldDirectory::Pin(HANDLE handle, const std::string& path) {
  handle_ = handle;
  path_ = path;
  pinned_path_ = FinalPathOf(handle);
}

bool HeldDirectory::IsAtPinnedPath() const {
  return held() && !pinned_path_.empty() && FinalPathOf(handle_) == pinned_path_;
}

void HeldDirectory::Release() {
  if (handle_ != nullptr) CloseHandle(handle_);
  handle_ = nullptr;
}

bool HeldDirectory::RemoveEmpty() {
  if (!held()) return false;
  // The same directory opened again from the hold, never by a name: first without rights
  // that bar anyone, then, once the hold is let go, with the right to delete it.
  HANDLE same = ReOpenFile(handle_, FILE_READ_ATTRIBUTES | SYNCHRONIZE, kShareAll,
                           FILE_FLAG_BACKUP_SEMANTICS);
  Release();
  if (same == INVALID_HANDLE_VALUE) return false;
  HANDLE removable = ReOpenFile(same, DELETE | SYNCHRONIZE, kShareAll, FILE_FLAG_BACKUP_SEMANTICS);
  CloseHandle(same);
  if (removable == INVALID_HANDLE_VALUE) return false;
  FILE_DISPOSITION_INFO remove = {TRUE};
  bool marked = SetFileInformationByHandle(removable, FileDispositionInfo, &remove, sizeof remove);
  CloseHandle(removable);
  return marked;
}

bool HeldDirectory::IsReparsePoint() const {
  // The attributes alone: the plain query also asks the volume for its serial number.
  FILE_BASIC_INFO info;
  if (!held() || !GetFileInformationByHandleEx(handle_, FileBasicInfo, &info, sizeof info)) {
    return true;
  }
  // The name too: a link that was followed shows only there (as under Wine).
  DWORD by_name = GetFileAttributesW(SystemTextToWide(path_).c_str());
  return (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
         (by_name != INVALID_FILE_ATTRIBUTES && (by_name & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
}

std::string HeldDirectory::SecurityText() const {
  if (!held()) return std::string();
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  if (GetSecurityInfo(handle_, SE_FILE_OBJECT, parts, nullptr, nullptr, nullptr, nullptr,
                      &descriptor) != ERROR_SUCCESS) {
    return std::string();
  }
  char* text = nullptr;
  std::string sddl;
  if (ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, parts,
                                                           &text, nullptr)) {
    sddl = text;
    LocalFree(text);
  }
  LocalFree(descriptor);
  return sddl;
}

bool HeldDirectory::GetVolumeFacts(bool* persistent_acls, bool* remote) const {
  // Asked of the volume through the handle: GetVolumeInformationByHandleW also reads the
  // volume's label and serial number and GetDriveTypeW asks the mount manager, which
  // under Wine cost as much as making the directory.
  auto query = NtProcedure<NtQueryVolumeInformationFileFn>("NtQueryVolumeInformationFile");
  if (!held() || query == nullptr) return false;
  IO_STATUS_BLOCK io;
  // Room for the file system's name after the flags, which are all that is read.
  alignas(FILE_FS_ATTRIBUTE_INFORMATION) unsigned char
      attributes[sizeof(FILE_FS_ATTRIBUTE_INFORMATION) + MAX_PATH * sizeof(wchar_t)];
  FILE_FS_DEVICE_INFORMATION device;
  if (!NT_SUCCESS(query(handle_, &io, attributes, sizeof attributes, FileFsAttributeInformation)) ||
      !NT_SUCCESS(query(handle_, &io, &device, sizeof device, FileFsDeviceInformation))) {
    return false;
  }
  ULONG flags =
      reinterpret_cast<const FILE_FS_ATTRIBUTE_INFORMATION*>(attributes)->FileSystemAttributes;
  *persistent_acls = (flags & FILE_PERSISTENT_ACLS) != 0;
  // A path without a drive letter is no local volume's either.
  *remote = (device.Characteristics & kRemoteDevice) != 0 ||
            device.DeviceType == kNetworkFileSystem || pinned_path_.size() < 3 ||
            pinned_path_[1] != ':';
  return true;
}

DWORD CreateHeldDirectory(const std::string& path, const std::string& sddl, HeldDirectory* hold) {
  hold->Release();
  std::wstring nt_path;
  if (!NtPathOf(path, &nt_path)) return GetLastError() != 0 ? GetLastError() : ERROR_BAD_PATHNAME;
  SecurityDescriptor descriptor(sddl);
  if (!sddl.empty() && descriptor.get() == nullptr) return GetLastError();
  auto create = NtProcedure<NtCreateFileFn>("NtCreateFile");
  auto to_error = NtProcedure<RtlNtStatusToDosErrorFn>("RtlNtStatusToDosError");
  if (create == nullptr || to_error == nullptr) return ERROR_PROC_NOT_FOUND;

  UNICODE_STRING name;
  name.Buffer = &nt_path[0];
  name.Length = static_cast<USHORT>(nt_path.size() * sizeof(wchar_t));
  name.MaximumLength = name.Length;
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, descriptor.get());
  IO_STATUS_BLOCK io;
  HANDLE handle = nullptr;
  // One call creates the directory with its rules and opens it; FILE_CREATE fails on any
  // existing name, a link included, rather than open it.
  NTSTATUS status =
      create(&handle, kHoldAccess, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL, kHoldSharing,
             FILE_CREATE, FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
  if (!NT_SUCCESS(status)) return to_error(status);
  hold->Pin(handle, path);
  return 0;
}

bool HoldDirectory(const std::string& path, HeldDirectory* hold) {
  hold->Release();
  HANDLE handle = CreateFileA(path.c_str(), kHoldAccess, kHoldSharing, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FILE_BASIC_INFO info;
  if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info) ||
      (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    CloseHandle(handle);
    return false;
  }
  hold->Pin(handle, path);
  return true;
}
