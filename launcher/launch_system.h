// What the launch sequence asks of the system, behind one interface in the manner of
// ninja's DiskInterface: setup.exe passes the Windows one (launcher/launch_system_win32),
// a test its own. Each call is one operation on the system (or the disk staging works
// on); the launch calls the subsystems itself, so everything decided between the calls
// (the order of the phases, what ends the run, the exit code, and the parameter file's,
// prerequisite run's and staging's own decisions) is portable and tested natively.
#ifndef LAUNCHER_LAUNCH_SYSTEM_H_
#define LAUNCHER_LAUNCH_SYSTEM_H_

#include <string>
#include <vector>

#include "params/parameter_keys.h"
#include "prereq/prereq_run.h"
#include "staging/staging_disk.h"

class LaunchSystemInterface {
 public:
  virtual ~LaunchSystemInterface() = default;

  // Reads the seal from the launcher's own image and, for a sealed medium, checks its
  // list in `launcher_dir` and sets g_sealed_medium (platform/sealed_file_win32.h).
  virtual void OpenMediumSeal(const std::string& launcher_dir) = 0;
  // LoadMessageCatalogue (messages/catalogue_loader.h): 0, or 1 without any catalogue.
  virtual int LoadMessageCatalogue() = 0;
  // The launcher's own console window (launcher/console.h).
  virtual void SetUpConsole() = 0;

  // The temporary directory (GetTempDir).
  virtual std::string TempDirectory() = 0;
  // Whether the launcher runs elevated (the Administrators group enabled in its token).
  virtual bool IsElevated() = 0;
  // The system directory (GetSystemDirectoryW).
  virtual std::string SystemDirectory() = 0;
  // Creates the scratch directory and holds it until it is removed or the launcher
  // ends, setting `*path` to the path the hold pinned (CreateScratchDir: 0, or -1 after
  // its report); `*outside_temp` tells whether it lies elsewhere than in TEMP.
  virtual int CreateScratchDirectory(const std::string& timestamp, std::string* path,
                                     bool* outside_temp) = 0;
  // Holds a scratch directory the command line gave, for the whole run, and sets
  // `*path` to the path the hold pinned. 0; or -1 after S_ERR_SCRATCH_NOT_PROTECTED
  // when an elevated launcher finds that others than administrators could change it.
  virtual int HoldScratchDirectory(std::string* path) = 0;
  // Empties and removes the held scratch directory, keeping the installer log
  // (staging/scratch_cleanup.h).
  virtual void RemoveScratchDirectory(const std::string& path, const std::string& log_path,
                                      const std::string& temp_dir, std::string* kept_log) = 0;

  virtual bool IsDirectory(const std::string& path) = 0;
  virtual bool IsReadWriteDirectory(const std::string& path) = 0;
  // The names of the files in `directory` (platform/list_files.h).
  virtual std::vector<std::string> ListFiles(const std::string& directory) = 0;
  // The process's working directory, which only the launch sequence changes.
  virtual void ChangeDirectory(const std::string& directory) = 0;

  // A reader of the Velmor section of the parameter file at `path` (ProfileKeyReader).
  virtual KeyReader ParameterKeyReader(const std::string& path) = 0;
  // On a sealed medium, holds `path` as sealed (HoldMediumFile): false when it is not.
  virtual bool HoldMediumFile(const std::string& path) = 0;
  // One prerequisite pass on this machine (CheckPrereqPass, prereq/prereq_checks.h).
  virtual PrereqPassCheck PrereqPass() = 0;
  // The disk staging works on (staging/staging_disk.h).
  virtual StagingDiskInterface& StagingDisk() = 0;

  // Whether the registry can be read and written as the installer needs.
  virtual bool CheckRegistryAccess() = 0;
  // Starts the installer (launcher/installer_process.h): its exit code or the error.
  virtual int RunInstallerProcess(const std::string& program,
                                  const std::vector<std::string>& elements, bool wait,
                                  bool* still_running) = 0;
};

#endif  // LAUNCHER_LAUNCH_SYSTEM_H_
