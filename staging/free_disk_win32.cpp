#include "staging/free_disk.h"

#include "platform/windows_prelude.h"

namespace {

using GetDiskFreeSpaceExFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                                 PULARGE_INTEGER);

// Looked up at run time: the oldest systems lack it. KERNEL32.DLL is always loaded, so
// its handle needs no release.
GetDiskFreeSpaceExFunction FindGetDiskFreeSpaceEx() {
  HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
  if (kernel == nullptr) return nullptr;
  return reinterpret_cast<GetDiskFreeSpaceExFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
}

}  // namespace

std::uint64_t GetFreeDiskKB(const std::string& path) {
  if (GetDiskFreeSpaceExFunction query = FindGetDiskFreeSpaceEx(); query != nullptr) {
    ULARGE_INTEGER available = {}, total = {}, total_free = {};
    if (query(path.c_str(), &available, &total, &total_free)) return available.QuadPart >> 10;
  }
  std::string root = path.substr(0, 3);  // "C:\" of "C:\Temp\VelInstall..."
  DWORD sectors_per_cluster = 0, bytes_per_sector = 0, free_clusters = 0, clusters = 0;
  if (!GetDiskFreeSpaceA(root.c_str(), &sectors_per_cluster, &bytes_per_sector, &free_clusters,
                         &clusters)) {
    return 0;
  }
  return static_cast<std::uint64_t>(sectors_per_cluster) * bytes_per_sector * free_clusters / 1024;
}
