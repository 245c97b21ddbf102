#include "launcher/launch_system_win32.h"

#include <direct.h>

#include "launcher/console.h"
#include "launcher/exit_codes.h"
#include "launcher/installer_process.h"
#include "launcher/registry_probe.h"
#include "messages/catalogue_loader.h"
#include "params/parameter_file.h"
#include "platform/ensure_directory.h"
#include "platform/list_files.h"
#include "platform/process_token.h"
#include "platform/sealed_file_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/windows_prelude.h"
#include "prereq/prereq_checks.h"
#include "staging/scratch_cleanup.h"
#include "staging/scratch_dir.h"
#include "staging/staging_disk.h"

void WindowsLaunchSystem::OpenMediumSeal(const std::string& launcher_dir) {
  ::OpenMediumSeal(seal_, launcher_dir);
}

int WindowsLaunchSystem::LoadMessageCatalogue() { return ::LoadMessageCatalogue(); }

void WindowsLaunchSystem::SetUpConsole() { ::SetUpConsole(); }

std::string WindowsLaunchSystem::TempDirectory() { return GetTempDir(); }

bool WindowsLaunchSystem::IsElevated() { return HasAdministrators(); }

std::string WindowsLaunchSystem::SystemDirectory() {
  wchar_t path[MAX_PATH + 1];
  UINT length = GetSystemDirectoryW(path, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? WideToSystemText(path) : std::string();
}

int WindowsLaunchSystem::CreateScratchDirectory(const std::string& timestamp, std::string* path,
                                                bool* outside_temp) {
  return CreateScratchDir(timestamp, path, &scratch_hold_, outside_temp);
}

int WindowsLaunchSystem::HoldScratchDirectory(std::string* path) {
  return HoldGivenScratchDir(path, &scratch_hold_);
}

void WindowsLaunchSystem::RemoveScratchDirectory(const std::string& path,
                                                 const std::string& log_path,
                                                 const std::string& temp_dir,
                                                 std::string* kept_log) {
  RemoveScratchKeepingLog(path, &scratch_hold_, log_path, temp_dir, kept_log);
}

bool WindowsLaunchSystem::IsDirectory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WindowsLaunchSystem::IsReadWriteDirectory(const std::string& path) {
  return ::IsReadWriteDirectory(path);
}

std::vector<std::string> WindowsLaunchSystem::ListFiles(const std::string& directory) {
  return ::ListFiles(directory);
}

void WindowsLaunchSystem::ChangeDirectory(const std::string& directory) {
  _chdir(directory.c_str());
}

KeyReader WindowsLaunchSystem::ParameterKeyReader(const std::string& path) {
  return ProfileKeyReader(path);
}

bool WindowsLaunchSystem::HoldMediumFile(const std::string& path) { return ::HoldMediumFile(path); }

PrereqPassCheck WindowsLaunchSystem::PrereqPass() { return CheckPrereqPass; }

StagingDiskInterface& WindowsLaunchSystem::StagingDisk() { return ::StagingDisk(scratch_hold_); }

bool WindowsLaunchSystem::CheckRegistryAccess() { return ::CheckRegistryAccess(); }

int WindowsLaunchSystem::RunInstallerProcess(const std::string& program,
                                             const std::vector<std::string>& elements, bool wait,
                                             bool* still_running) {
  if (still_running != nullptr) *still_running = false;
  // Started from the scratch directory, or given it: only while it is the one made.
  if (!IsScratchInPlace(scratch_hold_)) return kExitRefused;
  return ::RunInstallerProcess(program, elements, wait, still_running);
}
