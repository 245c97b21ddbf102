#include "messages/catalogue.h"

#include "messages/format_check.h"
#include "messages/message_keys.h"
#include "messages/message_map.h"

void SplitCatalogueRecords(std::string_view bytes,
                           const std::function<void(std::string_view)>& record) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t limit =
        bytes.size() - start < kCatalogueRecordLimit ? bytes.size() - start : kCatalogueRecordLimit;
    std::string_view window = bytes.substr(start, limit);
    std::size_t nul = window.find('\0');
    if (nul != std::string_view::npos) {
      record(window.substr(0, nul));
      start += nul + 1;
    } else if (limit == kCatalogueRecordLimit) {
      // A full record without its NUL: it is cut here and the next byte starts a record.
      record(window);
      start += limit;
    } else {
      return;  // The file ends inside an unterminated record.
    }
  }
}

static void AddRecord(std::string_view record, MessageMap* map, std::string* warnings) {
  std::size_t equals = record.find('=');
  if (equals == std::string_view::npos) {
    warnings->append("WARNING: Ignoring malformed message \"");
    warnings->append(record);
    warnings->append("\" in catalogue!\n");
    return;
  }
  std::string_view key = record.substr(0, equals);
  std::string_view text = record.substr(equals + 1);
  if (MessageMapGet(map, key) != nullptr) return;
  // Texts of keys the launcher never looks up are never formatted; only known keys
  // have arguments to check against.
  const MessageKeyInfo* info = FindMessageKey(key);
  if (info != nullptr && CountFormatArguments(text, info->arguments) < 0) {
    warnings->append("WARNING: Ignoring message \"");
    warnings->append(record);
    warnings->append("\" in catalogue: its conversions do not fit its arguments!\n");
    return;
  }
  MessageMapPut(map, std::string(key), std::string(text));
}

void AddCatalogueToMap(std::string_view bytes, MessageMap* map, std::string* warnings) {
  SplitCatalogueRecords(bytes, [&](std::string_view record) { AddRecord(record, map, warnings); });
}
