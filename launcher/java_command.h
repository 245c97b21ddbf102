// The command line that starts the Java installer, as a list of elements.
//
// The elements are, in order: the quoted Java program, the installer's system
// properties, the Java options and memory options, the class path, the main class of
// the mode, the installer's own arguments and finally the user's command line. Some
// elements carry their own trailing blank or quotes; both are part of the text the
// installer receives. A path between quotes goes as QuotedPath (platform/quoted_path.h)
// makes it, so that no trailing backslash escapes its closing quote: "C:\jdk\" goes as
// "C:\jdk", a root "C:\" as "C:\\", which the C runtime reads back as C:\. The list
// grows as needed: however many memory options and however long the values, nothing is
// cut or refused here. A command too long for the system is refused when the process is
// started, and reported there.
#ifndef LAUNCHER_JAVA_COMMAND_H_
#define LAUNCHER_JAVA_COMMAND_H_

#include <string>
#include <vector>

struct LaunchSettings;
struct ParameterSettings;

// What the launch sequence knows when it builds the command, besides the settings.
struct JavaCommandInputs {
  std::string scratch_path;
  std::string startup_dir;  // the launcher directory once the parameter file is read
  std::string launcher_dir;
  std::string source;       // SOURCE
  std::string nls_enabled;  // NLS_ENABLED
  // The files found in the extension jar directory (ExtensionJarDirectory).
  std::vector<std::string> ext_jar_files;
  // The argument vector {module path, raw command line}, Java options cut off.
  std::vector<std::string> arguments;
};

struct JavaCommand {
  std::vector<std::string> elements;
  // <Java bin>\java.exe or javaw.exe, unquoted: checked for existence before the start.
  std::string program_path;
  // -ADDNODE runs the installer silently, and the launcher with it from here on.
  bool sets_silent = false;
};

// "java.exe" where a console is wanted (debug, clean-up, save inventory, -MEMORY, or
// silent with a console), else "javaw.exe".
const char* JavaProgramName(const LaunchSettings& launch);

// <jre>\bin\<program>; "D:\jre\" gives "D:\jre\bin\<program>", "" gives "bin\<program>".
std::string JavaProgramPath(const std::string& jre_location, const char* program);

// The startup location passed to the installer: the startup directory, or the
// -rstartupLoc value without a trailing quote (and then a leading one).
std::string StartupLocation(const LaunchSettings& launch, const std::string& startup_dir);

// SOURCE as the installer gets it: an http:// address unchanged, anything else joined
// to the startup directory: ("..\stage\p.xml", "D:\install") -> "D:\install\..\stage\p.xml".
std::string ResolveSource(const std::string& source, const std::string& startup_dir);

// The argument elements from index 1 on, less -rstartupLoc, -rscratchPath and
// -rtimestamp with the element after each, and -nobootStrap.
std::vector<std::string> PassThroughArguments(const std::vector<std::string>& arguments);

// The whole command for this launch.
JavaCommand BuildJavaCommand(const LaunchSettings& launch, const ParameterSettings& params,
                             const JavaCommandInputs& inputs);

#endif  // LAUNCHER_JAVA_COMMAND_H_
