// Feeds velcheck's reading of a medium: two little-endian 16-bit lengths, then that much
// velparam.ini text, that much catalogue, and the rest as a jar archive. Whatever the
// bytes, each finding in velparam.ini carries a line of the text, the entries listed are
// the directory's, and the JSON report is valid UTF-8.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_text.h"
#include "tools/velcheck/catalogue_check.h"
#include "tools/velcheck/finding_report.h"
#include "tools/velcheck/parameter_text_check.h"
#include "tools/velcheck/zip_listing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::string input(reinterpret_cast<const char*>(data) + 4, size - 4);
  std::size_t text_size = std::min<std::size_t>(data[0] | data[1] << 8, input.size());
  std::string text = input.substr(0, text_size);
  std::size_t catalogue_size =
      std::min<std::size_t>(data[2] | data[3] << 8, input.size() - text_size);
  std::string catalogue = input.substr(text_size, catalogue_size);
  std::string archive = input.substr(text_size + catalogue_size);

  std::vector<Finding> findings;
  CheckParameterText("velparam.ini", text, &findings);
  // The profile reader also ends a line at a lone carriage return.
  int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                               std::count(text.begin(), text.end(), '\r')) +
              1;
  for (const Finding& finding : findings) {
    if (finding.line < 1 || finding.line > lines) __builtin_trap();
  }
  CheckCatalogue("resource/cons.nls", catalogue, &findings);

  ZipDirectory directory;
  std::vector<std::string> names;
  if (FindZipDirectory(archive, archive.size(), &directory)) {
    if (directory.offset + directory.size > archive.size()) __builtin_trap();
    std::string_view bytes(archive);
    if (ListZipEntries(bytes.substr(directory.offset, directory.size), directory, &names) &&
        names.size() != directory.entries) {
      __builtin_trap();
    }
  }

  if (!IsValidUtf8(FormatFindingsJson(archive, findings))) __builtin_trap();
  return 0;
}
