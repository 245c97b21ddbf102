#include "tools/velcheck/catalogue_check.h"

#include <set>

#include "messages/catalogue.h"
#include "messages/format_check.h"
#include "messages/message_keys.h"

void CheckCatalogue(const std::string& file, std::string_view bytes,
                    std::vector<Finding>* findings) {
  std::set<std::string, std::less<>> seen;
  int index = 0;
  auto add = [&](Severity severity, std::string_view key, const std::string& message) {
    findings->push_back(
        {severity, file, 0, std::string(key), "record " + std::to_string(index) + ": " + message});
  };
  SplitCatalogueRecords(bytes, [&](std::string_view record) {
    ++index;
    if (record.size() > kLongestCatalogueRecord) {
      add(Severity::kError, "",
          "longer than 1022 bytes: the launcher cuts it and reads the rest as another record");
      return;
    }
    std::size_t equals = record.find('=');
    if (equals == std::string_view::npos) {
      add(Severity::kError, "", "no \"=\": the launcher ignores it");
      return;
    }
    std::string_view key = record.substr(0, equals);
    const MessageKeyInfo* info = FindMessageKey(key);
    if (info == nullptr) {
      add(Severity::kWarning, key, "not a message key of the launcher");
    } else if (!seen.emplace(key).second) {
      add(Severity::kWarning, key, "defined again: the first one counts");
    } else if (CountFormatArguments(record.substr(equals + 1), info->arguments) < 0) {
      add(Severity::kError, key,
          std::string("its conversions do not fit the key's arguments \"") + info->arguments +
              "\": the launcher ignores it");
    }
  });
}
