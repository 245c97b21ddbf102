// The launch's system calls on Windows.
#ifndef LAUNCHER_LAUNCH_SYSTEM_WIN32_H_
#define LAUNCHER_LAUNCH_SYSTEM_WIN32_H_

#include "launcher/launch_system.h"
#include "platform/held_directory_win32.h"
#include "platform/medium_seal.h"

class WindowsLaunchSystem : public LaunchSystemInterface {
 public:
  // `seal` is the one in the launcher's own image.
  explicit WindowsLaunchSystem(const SealBytes& seal) : seal_(seal) {}
  void OpenMediumSeal(const std::string& launcher_dir) override;
  int LoadMessageCatalogue() override;
  void SetUpConsole() override;
  std::string TempDirectory() override;
  bool IsElevated() override;
  std::string SystemDirectory() override;
  int CreateScratchDirectory(const std::string& timestamp, std::string* path,
                             bool* outside_temp) override;
  int HoldScratchDirectory(std::string* path) override;
  void RemoveScratchDirectory(const std::string& path, const std::string& log_path,
                              const std::string& temp_dir, std::string* kept_log) override;
  bool IsDirectory(const std::string& path) override;
  bool IsReadWriteDirectory(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& directory) override;
  void ChangeDirectory(const std::string& directory) override;
  KeyReader ParameterKeyReader(const std::string& path) override;
  bool HoldMediumFile(const std::string& path) override;
  PrereqPassCheck PrereqPass() override;
  StagingDiskInterface& StagingDisk() override;
  bool CheckRegistryAccess() override;
  int RunInstallerProcess(const std::string& program, const std::vector<std::string>& elements,
                          bool wait, bool* still_running) override;

 private:
  // The scratch directory, held from its creation (or for the run, when given) until it
  // is removed or the launcher ends.
  HeldDirectory scratch_hold_;
  SealBytes seal_;
};

#endif  // LAUNCHER_LAUNCH_SYSTEM_WIN32_H_
