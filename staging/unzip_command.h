// The command line that runs unzip on one directory of jar archives.
//
// unzip lies in the launcher directory and expands the archives itself: the wildcard
// follows a forward slash inside quotes, so no shell or argument parser expands it.
//
//   "<unzip dir>\unzip" -qqqo "<source>/*.jar" -d "<destination>"
//
// followed by one blank. "-o" overwrites without asking, "-qqq" keeps it quiet (debug
// drops the q's so that every file shows), "-d" names the directory to expand into. The program
// path is quoted, so that a launcher directory with a blank ("C:\Program Files\...") never makes
// the system try "C:\Program.exe" first, and the source with its pattern is one quoted word, so a
// source with a blank still reaches unzip whole.
#ifndef STAGING_UNZIP_COMMAND_H_
#define STAGING_UNZIP_COMMAND_H_

#include <string>

#include "platform/quoted_path.h"

// The whole command line, final blank included. The destination goes between its quotes
// as QuotableDirectory (platform/quoted_path.h) makes it: "D:\s\" as "D:\s", "D:\" as "D:\\".
std::string UnzipCommandLine(const std::string& unzip_dir, const std::string& source,
                             const std::string& destination, bool debug);

#endif  // STAGING_UNZIP_COMMAND_H_
