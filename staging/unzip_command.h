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

// The whole command line, final blank included.
std::string UnzipCommandLine(const std::string& unzip_dir, const std::string& source,
                             const std::string& destination, bool debug);

// The destination as it goes between quotes: trailing backslashes would escape the
// closing quote, so they go ("D:\s\" -> "D:\s"); a drive root keeps its backslash,
// doubled so that unzip reads it back as one ("D:\" -> "D:\\").
std::string QuotableDirectory(const std::string& directory);

#endif  // STAGING_UNZIP_COMMAND_H_
