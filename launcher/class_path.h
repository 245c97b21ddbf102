// The Java installer's class path: one element, in double quotes.
//
// It lists the scratch directory, the extension jars, the installer core's jars, the
// patch tool's jars, the installer's own jars and the added jars in a fixed order,
// separated by ';'. Nothing is checked for existence: the class path names where the
// jars are expected. Java reads an empty entry as the current directory, "\" as the
// current drive's root and "X:" as drive X's current directory: places where any user
// may put a class that the elevated installer would load. Such entries are never listed.
#ifndef LAUNCHER_CLASS_PATH_H_
#define LAUNCHER_CLASS_PATH_H_

#include <string>
#include <vector>

#include "params/component_table.h"

struct ClassPathInputs {
  std::string scratch_path;
  // The directory listed for extension jars (see ExtensionJarDirectory), and the names
  // of the files found there.
  std::string ext_jar_directory;
  std::vector<std::string> ext_jar_files;
  // ADDTO_CLASSPATH: ';'-separated names of jars in the scratch directory.
  std::string addto_classpath;
  // Each component's "jlib" folder, by Component (the runtime's is unused).
  std::string jlib[kComponentCount];

  const std::string& JlibOf(Component component) const {
    return jlib[static_cast<std::size_t>(component)];
  }
};

// The directory whose files are the extension jars, or empty when none are listed.
// Staged (`bootstrap`): <scratch>\ext\jlib, only when EXT_JLIB is set. Installed:
// <startup>\..\..\inventory\Scripts\ext\jlib, always.
std::string ExtensionJarDirectory(bool bootstrap, const std::string& ext_jlib,
                                  const std::string& scratch_path, const std::string& startup_dir);

// {"<scratch>\a.jar", "<scratch>\b.jar"} for ADDTO_CLASSPATH "a.jar;;b.jar;": empty
// names are skipped.
std::vector<std::string> AddedJars(const std::string& scratch_path,
                                   const std::string& addto_classpath);

// Whether `entry` is empty (Java reads it as the current directory) or only a root:
// separators alone ("\", "/") or a drive with nothing or separators after it ("X:", "X:\").
bool IsEmptyOrRootEntry(const std::string& entry);

// The whole class path element, quotes included: "<scratch>;<ext jars>;<core jars>;
// <patch tool jars>;<check point jar>;<installer jars>;<added jars>;<installer jars>",
// less every entry that IsEmptyOrRootEntry. Java splits at every ';', so a name with a
// ';' counts as the entries between its ';'s, each kept or left out on its own.
std::string BuildClassPath(const ClassPathInputs& inputs);

#endif  // LAUNCHER_CLASS_PATH_H_
