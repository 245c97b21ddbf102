#include "launcher/class_path.h"

#include <cstddef>

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

// ";<directory>\<jar>" for each jar.
template <std::size_t N>
void AppendJars(std::string* list, const std::string& directory, const char* const (&jars)[N]) {
  for (const char* jar : jars) {
    *list += ';';
    *list += directory;
    *list += '\\';
    *list += jar;
  }
}

}  // namespace

std::string ExtensionJarDirectory(bool bootstrap, const std::string& ext_jlib,
                                  const std::string& scratch_path, const std::string& startup_dir) {
  if (bootstrap) return ext_jlib.empty() ? std::string() : scratch_path + "\\ext\\jlib";
  // An installed home keeps its extension jars with the inventory, two levels up.
  return startup_dir + "\\..\\..\\inventory\\Scripts\\ext\\jlib";
}

std::string ExtensionJarList(const std::string& directory, const std::vector<std::string>& files) {
  std::string list;
  for (const std::string& file : files) list += ";" + directory + "\\" + file;
  if (!list.empty()) list += ';';
  return list;
}

std::string AddedJarList(const std::string& scratch_path, const std::string& addto_classpath) {
  std::string list;
  std::size_t start = 0;
  while (start < addto_classpath.size()) {
    std::size_t end = addto_classpath.find(';', start);
    if (end == std::string::npos) end = addto_classpath.size();
    if (end > start) list += scratch_path + "\\" + addto_classpath.substr(start, end - start) + ";";
    start = end + 1;
  }
  return list;
}

std::string BuildClassPath(const ClassPathInputs& in) {
  std::string first =
      in.scratch_path + ";" + ExtensionJarList(in.ext_jar_directory, in.ext_jar_files);
  AppendJars(&first, in.core_jlib, kCoreJars);
  AppendJars(&first, in.patchel_jlib, kPatchelJars);
  AppendJars(&first, in.core_jlib, kCheckPointJar);

  std::string path = "\"" + first;
  AppendJars(&path, in.tav_jlib, kTavJarsBeforeAdded);
  // The added jars stand where a lone "\" entry would otherwise be.
  path += ";" + AddedJarList(in.scratch_path, in.addto_classpath) + "\\";
  AppendJars(&path, in.tav_jlib, kTavJarsAfterAdded);
  path += "\"";
  return path;
}
