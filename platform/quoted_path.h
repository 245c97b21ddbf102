// Paths put between double quotes on a command line.
//
// The C runtime's argument parser reads backslashes before a double quote as escapes:
// 2n backslashes and a quote give n backslashes and end the quoted text, 2n+1 give n
// backslashes and a literal quote. So a quoted path ending in a backslash ("C:\jdk\")
// would escape its own closing quote and merge with, or split, every later argument.
#ifndef PLATFORM_QUOTED_PATH_H_
#define PLATFORM_QUOTED_PATH_H_

#include <string>

// The directory as it goes between quotes: trailing backslashes go ("D:\s\" -> "D:\s");
// a root ("D:\", "\") keeps its backslash, doubled so that the parser reads it back as
// one ("D:\" -> "D:\\").
std::string QuotableDirectory(const std::string& directory);

// The path in double quotes, made quotable: "D:\s\" -> "\"D:\s\"", "D:\" -> "\"D:\\\"".
std::string QuotedPath(const std::string& path);

#endif  // PLATFORM_QUOTED_PATH_H_
