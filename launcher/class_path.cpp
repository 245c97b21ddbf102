#include "launcher/class_path.h"

#include <cstddef>
#include <utility>

#include "platform/medium_layout.h"
#include "platform/path_join.h"

namespace {

// Jars of the installer core and the patch tool, in class-path order.
const char* const kCoreJars[] = {
    "VelInstaller.jar",    "quickinst.jar", "xmlparse2.jar", "common.jar",
    "VelInstallerNet.jar", "mgrCfg.jar",    "mgrutil.jar",   "VelPrereq.jar",
    "sshlib.jar",          "sshcore.jar",   "remoteapi.jar", "httpcli.jar",
};
const char* const kPatchelJars[] = {"patchel.jar", "patchelactions.jar", "patchelprereq.jar",
                                    "patchelutil.jar"};
const char* const kCheckPointJar[] = {"VelCheckPoint.jar"};

// The installer's own jars: those before the added jars, then those after them.
const char* const kTavJarsBeforeAdded[] = {
    "SetupImages.jar",     "SetupHelp.jar",       "SetupHelp_de.jar",
    "SetupHelp_es.jar",    "SetupHelp_fr.jar",    "SetupHelp_it.jar",
    "SetupHelp_ja.jar",    "SetupHelp_ko.jar",    "SetupHelp_pt_BR.jar",
    "SetupHelp_zh_CN.jar", "SetupHelp_zh_TW.jar", "velmor_hv.jar",
    "helpkit.jar",         "helpkit-nls.jar",     "kwt3.jar",
    "kwt3-uiaccess.jar",   "kwt3-nls.jar",        "uiaccess.jar",
};
const char* const kTavJarsAfterAdded[] = {
    "jkwt4.jar",  "jkwt4-nls.jar", "veli18n-collation.jar", "veli18n-mapping.jar", "vjmisc.jar",
    "xmlkit.jar", "svcm.jar",      "svcmasm.jar",
};

// "<directory>\<jar>" for each jar.
template <std::size_t N>
void AppendJars(std::vector<std::string>* entries, const std::string& directory,
                const char* const (&jars)[N]) {
  for (const char* jar : jars) entries->push_back(JoinPath(directory, jar));
}

}  // namespace

std::string ExtensionJarDirectory(bool bootstrap, const std::string& ext_jlib,
                                  const std::string& scratch_path, const std::string& startup_dir) {
  if (bootstrap) {
    return ext_jlib.empty() ? std::string() : ScratchExtensionFolder(scratch_path, kExtensionJars);
  }
  // An installed home keeps its extension jars with the inventory, two levels up.
  return JoinPath(startup_dir, "..\\..\\inventory\\Scripts\\ext\\jlib");
}

std::vector<std::string> AddedJars(const std::string& scratch_path,
                                   const std::string& addto_classpath) {
  std::vector<std::string> jars;
  std::size_t start = 0;
  while (start < addto_classpath.size()) {
    std::size_t end = addto_classpath.find(';', start);
    if (end == std::string::npos) end = addto_classpath.size();
    if (end > start) {
      jars.push_back(JoinPath(scratch_path, addto_classpath.substr(start, end - start)));
    }
    start = end + 1;
  }
  return jars;
}

bool IsEmptyOrRootEntry(const std::string& entry) {
  std::size_t last = entry.find_last_not_of("\\/");
  if (last == std::string::npos) return true;  // empty, or separators only
  return last == 1 && entry[1] == ':';
}

std::string BuildClassPath(const ClassPathInputs& in) {
  std::vector<std::string> entries = {in.scratch_path};
  for (const std::string& file : in.ext_jar_files) {
    entries.push_back(JoinPath(in.ext_jar_directory, file));
  }
  const std::string& core = in.JlibOf(Component::kInstallerCore);
  const std::string& installer = in.JlibOf(Component::kInstaller);
  AppendJars(&entries, core, kCoreJars);
  AppendJars(&entries, in.JlibOf(Component::kPatchTool), kPatchelJars);
  AppendJars(&entries, core, kCheckPointJar);
  AppendJars(&entries, installer, kTavJarsBeforeAdded);
  for (std::string& jar : AddedJars(in.scratch_path, in.addto_classpath)) {
    entries.push_back(std::move(jar));
  }
  AppendJars(&entries, installer, kTavJarsAfterAdded);

  // Java splits the class path at every ';', one inside a name too: each piece is an entry.
  std::string path = "\"";
  for (const std::string& entry : entries) {
    std::size_t start = 0;
    for (;;) {
      std::size_t end = entry.find(';', start);
      std::string piece = entry.substr(start, end == std::string::npos ? end : end - start);
      if (!IsEmptyOrRootEntry(piece)) {
        if (path.size() > 1) path += ';';
        path += piece;
      }
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  path += "\"";
  return path;
}
