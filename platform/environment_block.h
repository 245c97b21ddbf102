// The environment a child of the launcher inherits, as the system's block of
// "NAME=value" entries, in order ("=C:=C:\x" entries, the drives' working
// directories, are named "=C:").
//
// The launcher runs elevated while the user's registry environment, which any program
// of the user's may set, fills its own. So a child does not get all of it: unzip.exe
// never sees the variables that change its options, and an elevated launcher's children
// lose the variables that make a Java runtime load code of the user's (agents, native
// libraries, a class path), and search the machine's PATH for libraries instead of
// the user's.
#ifndef PLATFORM_ENVIRONMENT_BLOCK_H_
#define PLATFORM_ENVIRONMENT_BLOCK_H_

#include <string>
#include <string_view>
#include <vector>

enum class ChildProgram { kUnzip, kJava };

// The value of the variable `name` (ASCII case ignored, as the system does) in
// `entries`; null when it is not there.
const std::string* FindVariable(const std::vector<std::string>& entries, std::string_view name);

// `text` with each "%NAME%" replaced by that variable's value in `entries`; a name that
// is not there stays as written, as ExpandEnvironmentStrings leaves it:
// ("%SystemRoot%\Inv", {"SystemRoot=C:\Windows"}) gives "C:\Windows\Inv".
std::string ExpandVariables(std::string_view text, const std::vector<std::string>& entries);

// The entries a child `program` gets from the launcher's `entries`: unzip.exe never
// gets UNZIP, UNZIPOPT, ZIPINFO or ZIPINFOOPT; when `elevated`, no child gets
// JAVA_TOOL_OPTIONS, _JAVA_OPTIONS, JDK_JAVA_OPTIONS or CLASSPATH, and PATH is
// `machine_path`. Every other entry stays as it is, in its place.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& entries,
                                          ChildProgram program, bool elevated,
                                          std::string_view machine_path);

#endif  // PLATFORM_ENVIRONMENT_BLOCK_H_
