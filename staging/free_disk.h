// The free space on a volume, as staging needs it before it copies anything.
#ifndef STAGING_FREE_DISK_H_
#define STAGING_FREE_DISK_H_

#include <cstdint>
#include <string>

// The KiB (rounded down) that the calling user may still write on the volume holding
// `path`, which may be any directory on it: a disk quota counts, the volume's total free
// space does not. GetDiskFreeSpaceExA when the system has it, else the cluster figures
// of the root named by the path's first three characters; 0 when neither answers.
std::uint64_t GetFreeDiskKB(const std::string& path);

#endif  // STAGING_FREE_DISK_H_
