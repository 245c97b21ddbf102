#include "messages/catalogue_files.h"

#include "platform/path_join.h"

static char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
static char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

std::string MakeLocaleTag(std::string_view language, std::string_view country) {
  std::string ll;
  for (char c : language.substr(0, 2)) ll += AsciiLower(c);
  if (ll == "jp")
    ll = "ja";
  else if (ll == "ch")
    ll = "zh";
  std::string cc;
  for (char c : country.substr(0, 2)) cc += AsciiUpper(c);
  if (cc == "CH") cc = "CN";
  return ll + "_" + cc;
}

std::string CatalogueDirectory(std::string_view module_path) {
  std::size_t slash = module_path.rfind('\\');
  if (slash == std::string_view::npos) return ".\\resource";
  return std::string(module_path.substr(0, slash + 1)) + "resource";
}

std::vector<std::string> LocalCataloguePaths(std::string_view directory, std::string_view tag) {
  std::string base = JoinPath(directory, "cons");
  std::string_view language = tag.substr(0, tag.rfind('_'));
  return {base + "_" + std::string(tag) + ".nls", base + "_" + std::string(language) + ".nls",
          base + ".nls"};
}

std::string BaseCataloguePath(std::string_view directory) {
  return JoinPath(directory, "cons.nls");
}
