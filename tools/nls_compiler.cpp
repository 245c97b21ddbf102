// nls_compiler: compiles a message catalogue source into a .nls catalogue.
//
//   nls_compiler [--partial] SOURCE OUTPUT
//
// Refuses a source with a syntax error, an unknown or repeated key, or a text whose
// conversions do not take exactly its key's arguments. The English catalogue must
// define every key; translations (--partial) may leave keys to cons.nls.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "messages/catalogue_source.h"

int main(int argc, char** argv) {
  bool partial = argc > 1 && std::strcmp(argv[1], "--partial") == 0;
  int first = partial ? 2 : 1;
  if (argc - first != 2) {
    std::fprintf(stderr, "usage: nls_compiler [--partial] SOURCE OUTPUT\n");
    return 2;
  }
  const char* source_path = argv[first];
  const char* output_path = argv[first + 1];

  std::ifstream in(source_path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "nls_compiler: cannot read %s\n", source_path);
    return 1;
  }
  std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  std::vector<SourceEntry> entries;
  std::string error;
  if (!ParseCatalogueSource(source, &entries, &error)) {
    std::fprintf(stderr, "%s: %s\n", source_path, error.c_str());
    return 1;
  }
  std::string errors;
  if (!CheckCatalogueEntries(entries, partial, &errors)) {
    std::istringstream lines(errors);
    std::string line;
    while (std::getline(lines, line)) std::fprintf(stderr, "%s: %s\n", source_path, line.c_str());
    return 1;
  }

  std::string bytes = EncodeCatalogue(entries);
  std::ofstream out(output_path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "nls_compiler: cannot write %s\n", output_path);
    std::remove(output_path);
    return 1;
  }
  return 0;
}
