#include "params/parameter_search.h"

#include "platform/path_join.h"

std::string LauncherDirectoryOf(std::string_view module_path) {
  std::size_t slash = module_path.find_last_of("\\/");
  if (slash == std::string_view::npos) {
    // Only a drive, as in "D:setup.exe", is left of the name.
    return module_path.size() >= 2 && module_path[1] == ':' ? std::string(module_path.substr(0, 2))
                                                            : std::string();
  }
  return std::string(module_path.substr(0, slash));
}

std::string StartupDirectoryOf(std::string_view module_path) {
  if (module_path.compare(0, 2, ".\\") == 0) module_path.remove_prefix(2);
  std::size_t slash = module_path.rfind('\\');
  if (slash == std::string_view::npos) return ".";
  return std::string(module_path.substr(0, slash));
}

std::vector<std::string> ParameterFileCandidates(std::string_view startup_dir,
                                                 std::string_view launcher_dir) {
  std::string startup(startup_dir);
  std::string launcher(launcher_dir);
  return {JoinPath(startup, "velparam.ini"), JoinPath(startup, "..\\velparam.ini"),
          JoinPath(launcher, "velparam.ini"), JoinPath(launcher, "..\\velparam.ini")};
}
