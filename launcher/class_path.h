// The Java installer's class path: one element, in double quotes.
//
// It lists the scratch directory, the extension jars, the installer core's jars, the
// patch tool's jars and the installer's own jars in a fixed order. Nothing is checked
// for existence: the class path names where the jars are expected.
#ifndef LAUNCHER_CLASS_PATH_H_
#define LAUNCHER_CLASS_PATH_H_

#include <string>
#include <vector>

struct ClassPathInputs {
  std::string scratch_path;
  // The directory listed for extension jars (see ExtensionJarDirectory), and the names
  // of the files found there.
  std::string ext_jar_directory;
  std::vector<std::string> ext_jar_files;
  // ADDTO_CLASSPATH: ';'-separated names of jars in the scratch directory.
  std::string addto_classpath;
  std::string core_jlib;
  std::string tav_jlib;
  std::string patchel_jlib;
};

// The directory whose files are the extension jars, or empty when none are listed.
// Staged (`bootstrap`): <scratch>\ext\jlib, only when EXT_JLIB is set. Installed:
// <startup>\..\..\inventory\Scripts\ext\jlib, always.
std::string ExtensionJarDirectory(bool bootstrap, const std::string& ext_jlib,
                                  const std::string& scratch_path, const std::string& startup_dir);

// ";<dir>\a.jar;<dir>\b.jar;" for the files, "" without any.
std::string ExtensionJarList(const std::string& directory, const std::vector<std::string>& files);

// "<scratch>\a.jar;<scratch>\b.jar;" for ADDTO_CLASSPATH "a.jar;b.jar", "" when empty.
std::string AddedJarList(const std::string& scratch_path, const std::string& addto_classpath);

// The whole class path element, quotes included.
std::string BuildClassPath(const ClassPathInputs& inputs);

#endif  // LAUNCHER_CLASS_PATH_H_
