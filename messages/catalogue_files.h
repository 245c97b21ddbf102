// Where the catalogues of a locale are found and in which order they are read.
#ifndef MESSAGES_CATALOGUE_FILES_H_
#define MESSAGES_CATALOGUE_FILES_H_

#include <string>
#include <string_view>
#include <vector>

// Catalogue paths must fit a 260-byte buffer; a longer one is not read.
constexpr std::size_t kMaxCataloguePath = 259;

// The locale tag "ll_CC" from the system's abbreviated language and country names:
// ("ENU", "USA") -> "en_US"; ("JPN", "JPN") -> "ja_JP"; ("CHT", "TWN") -> "zh_TW";
// ("CHS", "CHN") -> "zh_CN". A language "jp" becomes "ja", "ch" becomes "zh", and a
// country "CH" becomes "CN".
std::string MakeLocaleTag(std::string_view language, std::string_view country);

// The catalogue directory of the program at `module_path`: the path with its last
// component replaced by "resource" (".\resource" for a path without a backslash).
std::string CatalogueDirectory(std::string_view module_path);

// The catalogues for the console, most specific first: cons_<tag>.nls, cons_<ll>.nls
// (the tag cut at its last '_'), cons.nls. The log uses cons.nls alone.
std::vector<std::string> LocalCataloguePaths(std::string_view directory, std::string_view tag);
std::string BaseCataloguePath(std::string_view directory);

#endif  // MESSAGES_CATALOGUE_FILES_H_
