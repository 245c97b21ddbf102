// Feeds arbitrary bytes to the catalogue reader and the catalogue source compiler.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "messages/catalogue.h"
#include "messages/catalogue_source.h"
#include "messages/format_check.h"
#include "messages/message_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  MessageMap* map = CreateMessageMap();
  std::string warnings;
  AddCatalogueToMap(bytes, map, &warnings);
  DestroyMessageMap(map);

  std::vector<SourceEntry> entries;
  std::string error;
  if (ParseCatalogueSource(bytes, &entries, &error)) {
    std::string errors;
    CheckCatalogueEntries(entries, true, &errors);
    EncodeCatalogue(entries);
  }
  CountFormatArguments(bytes, "sd");
  return 0;
}
