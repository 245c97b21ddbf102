#include "prereq/system_info.h"

#include "platform/scoped_reg_key_win32.h"
#include "platform/system_procedure_win32.h"
#include "platform/windows_prelude.h"

OsVersion ReadOsVersion() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  OsVersion version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return version;
#pragma GCC diagnostic pop
  version.major = static_cast<int>(info.dwMajorVersion);
  version.minor = static_cast<int>(info.dwMinorVersion);
  info.szCSDVersion[sizeof info.szCSDVersion - 1] = '\0';
  version.service_pack = info.szCSDVersion;
  return version;
}

bool HasQ246009Hotfix() {
  ScopedRegKey key;
  return key.Open(HKEY_LOCAL_MACHINE,
                  "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009",
                  KEY_QUERY_VALUE);
}

int DisplayBitsPerPixel() {
  auto create_dc = SystemProcedure<HDC(WINAPI*)(HDC)>("gdi32.dll", "CreateCompatibleDC");
  auto get_caps = SystemProcedure<int(WINAPI*)(HDC, int)>("gdi32.dll", "GetDeviceCaps");
  auto delete_dc = SystemProcedure<BOOL(WINAPI*)(HDC)>("gdi32.dll", "DeleteDC");
  if (create_dc == nullptr || get_caps == nullptr || delete_dc == nullptr) return 0;
  HDC dc = create_dc(nullptr);
  if (dc == nullptr) return 0;
  int bits = get_caps(dc, BITSPIXEL);
  delete_dc(dc);
  return bits;
}

int ProcessorClockMhz() {
  ScopedRegKey key;
  if (!key.Open(HKEY_LOCAL_MACHINE, "Hardware\\Description\\System\\CentralProcessor\\0",
                KEY_QUERY_VALUE)) {
    return 0;
  }
  DWORD clock = 0;
  DWORD size = sizeof clock;
  if (RegQueryValueExA(key.get(), "~MHz", nullptr, nullptr, reinterpret_cast<BYTE*>(&clock),
                       &size) != ERROR_SUCCESS) {
    return 0;
  }
  return static_cast<int>(clock);
}

std::uint64_t AvailablePageFileMb() {
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  return status.ullAvailPageFile >> 20;
}

long ReadPagingFiles(std::string* bytes) {
  ScopedRegKey key;
  LONG status = key.OpenWithStatus(
      HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
      KEY_QUERY_VALUE);
  if (status != ERROR_SUCCESS) return status;
  char buffer[1025] = {};
  DWORD size = 1024;
  status = RegQueryValueExA(key.get(), "PagingFiles", nullptr, nullptr,
                            reinterpret_cast<BYTE*>(buffer), &size);
  if (status != ERROR_SUCCESS) return status;
  bytes->assign(buffer, size <= 1024 ? size : 1024);
  return 0;
}
