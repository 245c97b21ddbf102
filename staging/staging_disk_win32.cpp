#include "staging/staging_disk.h"

#include "platform/list_files.h"
#include "platform/windows_prelude.h"
#include "staging/archive_expansion.h"
#include "staging/free_disk.h"
#include "staging/held_item_retry_win32.h"
#include "staging/scratch_dir.h"
#include "staging/tree_walk.h"

namespace {

class WindowsStagingDisk : public StagingDiskInterface {
 public:
  std::uint64_t FreeKilobytes(const std::string& directory) override {
    return GetFreeDiskKB(directory);
  }
  int CopyTree(const std::string& source, const std::string& destination,
               std::string* failed_path) override {
    return ::CopyTree(source, destination, failed_path, &retry_);
  }
  int ExpandJars(const std::string& source, const std::string& destination,
                 const std::string& unzip_dir, bool debug) override {
    if (!IsScratchInPlace(*scratch_)) return -1;
    return ::ExpandJars(source, destination, unzip_dir, debug);
  }
  bool FindFirstEntryName(const std::string& pattern, std::string* name) override {
    return ::FindFirstEntryName(pattern, name);
  }
  void MakeDirectory(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }
  int CountFiles(const std::string& root) override { return ::CountFiles(root); }

  const HeldDirectory* scratch_ = nullptr;

 private:
  // One bound for the whole staging: a file a scanner holds is tried again until then.
  HeldItemRetry retry_;
};

}  // namespace

StagingDiskInterface& StagingDisk(const HeldDirectory& scratch) {
  static WindowsStagingDisk disk;
  disk.scratch_ = &scratch;
  return disk;
}
