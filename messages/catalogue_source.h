// The readable source of a message catalogue, compiled into a .nls file at build time.
//
//   # a comment
//   S_USING_PARAMFILE "Using the parameter file %s\n"
//   S_ERVELPARAMNFD "\nERROR: The parameter file velparam.ini was not found"
//       " beside setup.exe.\n"
//
// One entry per key: the key at the start of a line, then a double-quoted text; an
// indented quoted string on the next lines continues it. Escapes: \n \t \\ \".
#ifndef MESSAGES_CATALOGUE_SOURCE_H_
#define MESSAGES_CATALOGUE_SOURCE_H_

#include <string>
#include <string_view>
#include <vector>

struct SourceEntry {
  std::string key;
  std::string text;
  int line;
};

// Parses `source` into `*entries`. Returns false with `*error` ("line 3: ...") at the
// first syntax error.
bool ParseCatalogueSource(std::string_view source, std::vector<SourceEntry>* entries,
                          std::string* error);

// Checks `entries` against the launcher's keys: no unknown or repeated key, every
// text taking exactly its key's arguments, and (unless `partial`) every key present.
// Appends one line per problem to `*errors`; returns whether there was none.
bool CheckCatalogueEntries(const std::vector<SourceEntry>& entries, bool partial,
                           std::string* errors);

// The .nls bytes of `entries`: "KEY=text" and a NUL byte for each, in order.
std::string EncodeCatalogue(const std::vector<SourceEntry>& entries);

#endif  // MESSAGES_CATALOGUE_SOURCE_H_
