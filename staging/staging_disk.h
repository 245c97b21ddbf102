// What staging does to the disk, behind one interface in the manner of ninja's
// DiskInterface: the launch uses the system's (StagingDisk), a test a recorder. Staging's
// decisions (which component goes where, which failure ends it) use nothing else, so they
// build and are tested natively.
#ifndef STAGING_STAGING_DISK_H_
#define STAGING_STAGING_DISK_H_

#include <cstdint>
#include <string>

class StagingDiskInterface {
 public:
  virtual ~StagingDiskInterface() = default;
  // The KiB the user may still write on the volume holding `directory`.
  virtual std::uint64_t FreeKilobytes(const std::string& directory) = 0;
  // CopyTree (staging/tree_walk.h): 0, or -1 with `*failed_path` naming what is missing.
  virtual int CopyTree(const std::string& source, const std::string& destination,
                       std::string* failed_path) = 0;
  // ExpandJars (staging/archive_expansion.h): 0, or -1.
  virtual int ExpandJars(const std::string& source, const std::string& destination,
                         const std::string& unzip_dir, bool debug) = 0;
  // FindFirstEntryName (platform/list_files.h).
  virtual bool FindFirstEntryName(const std::string& pattern, std::string* name) = 0;
  // Creates one directory; one that is there already is fine.
  virtual void MakeDirectory(const std::string& path) = 0;
  // The files at every depth below `root`.
  virtual int CountFiles(const std::string& root) = 0;
};

class HeldDirectory;

// The system's disk, staging into the scratch directory that `scratch` holds: unzip is
// started only while that directory is where its hold pinned it (IsScratchInPlace).
StagingDiskInterface& StagingDisk(const HeldDirectory& scratch);

#endif  // STAGING_STAGING_DISK_H_
