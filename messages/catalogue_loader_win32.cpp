#include "messages/catalogue_loader.h"

#include <cstdio>
#include <utility>

#include "messages/catalogue.h"
#include "messages/catalogue_files.h"
#include "messages/message_map.h"
#include "messages/messages.h"
#include "platform/sealed_file_win32.h"
#include "platform/sealed_medium.h"
#include "platform/system_calls.h"
#include "platform/windows_prelude.h"

namespace {

// Reads the whole catalogue at `path` into `*bytes`. False when it cannot be opened.
bool ReadCatalogueFile(const std::string& path, std::string* bytes) {
  if (path.size() > kMaxCataloguePath) return false;
  // From a sealed medium, only a catalogue as sealed, held so until the launcher ends.
  if (!HoldMediumFile(path)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes->append(chunk, n);
  // A read error ends the file where it happened, like its end would.
  std::fclose(file);
  return true;
}

void AddCatalogueBytes(const std::string& bytes, MessageMap* map) {
  std::string warnings;
  AddCatalogueToMap(bytes, map, &warnings);
  std::fputs(warnings.c_str(), stderr);
}

}  // namespace

std::string GetUserLocaleTag() {
  char language[32] = "";
  char country[32] = "";
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, language, sizeof language) == 0)
    language[0] = '\0';
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVCTRYNAME, country, sizeof country) == 0)
    country[0] = '\0';
  return MakeLocaleTag(language, country);
}

int LoadMessageCatalogueFrom(const std::string& directory, const std::string& tag) {
  g_message_maps.local = CreateMessageMap();
  g_message_maps.base = CreateMessageMap();
  if (g_message_maps.local == nullptr || g_message_maps.base == nullptr) {
    std::fputs("\nERROR: Could not allocate memory for the NLS messages map!\n", stderr);
    return 1;
  }
  bool any = false;
  // cons.nls ends the local list and is the base catalogue too: read once, it fills both.
  std::string base_path = BaseCataloguePath(directory);
  std::string base_bytes;
  bool base_read = false;
  for (const std::string& path : LocalCataloguePaths(directory, tag)) {
    std::string bytes;
    if (!ReadCatalogueFile(path, &bytes)) continue;
    any = true;
    AddCatalogueBytes(bytes, g_message_maps.local);
    if (path == base_path) {
      base_bytes = std::move(bytes);
      base_read = true;
    }
  }
  if (base_read || ReadCatalogueFile(base_path, &base_bytes)) {
    AddCatalogueBytes(base_bytes, g_message_maps.base);
  }
  if (!any) {
    // A catalogue refused by the seal is reported as such, once there is a console.
    bool refused = g_sealed_medium != nullptr && g_sealed_medium->broken();
    if (!refused) std::fputs("\nERROR: Could not read any NLS message catalogue!\n", stderr);
    return 1;
  }
  return 0;
}

int LoadMessageCatalogue() {
  // The whole program path, however long: catalogue paths that do not fit their
  // 260-byte buffer are refused one by one rather than read from a truncated directory.
  std::string module(32768, '\0');
  DWORD length = GetModuleFileNameA(nullptr, &module[0], static_cast<DWORD>(module.size()));
  module.resize(length < module.size() ? length : 0);
  return LoadMessageCatalogueFrom(CatalogueDirectory(module), GetUserLocaleTag());
}
