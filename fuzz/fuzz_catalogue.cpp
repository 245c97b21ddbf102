// Feeds arbitrary bytes to the catalogue reader and the catalogue source compiler.
//
// What the reader accepts must be safe to format: every text it stores for a known key
// is formatted, as the launcher formats it (LocalText, BaseText), with arguments of the
// key's kinds at their extremes, and must give the whole formatted text cut to 1023
// characters (and at a NUL that "%c" may put in, as in any C text). A conversion
// reading an argument that is not there, or of another type, is caught by the
// sanitizers.
#include <climits>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "messages/catalogue.h"
#include "messages/catalogue_source.h"
#include "messages/format_check.h"
#include "messages/format_text.h"
#include "messages/message_keys.h"
#include "messages/message_map.h"
#include "messages/messages.h"
#include "platform/text_buffer.h"

namespace {

constexpr int kSampleRounds = 3;

// Strings with conversions of their own, which must come out as they are.
const char* StringSample(int round) {
  static const std::string kLong = [] {
    std::string s;
    while (s.size() < 5000) s += "%s%n%d\xc3\xa9\\";
    return s;
  }();
  const char* const samples[kSampleRounds] = {kLong.c_str(), "", "C:\\Program Files\\x"};
  return samples[round];
}

int IntSample(int round) {
  const int samples[kSampleRounds] = {INT_MIN, INT_MAX, -1};
  return samples[round];
}

template <char Kind>
auto Sample(int round) {
  if constexpr (Kind == 's') {
    return StringSample(round);
  } else {
    return IntSample(round);
  }
}

// The whole formatted text, without the 1023-character cut, or false when the
// formatting fails. Its formats are the catalogue texts under test.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
bool FormatWhole(std::string* text, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (n >= 0) {
    std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, copy);
    text->assign(buffer.data(), static_cast<std::size_t>(n));
  }
  va_end(copy);
  return n >= 0;
}
#pragma GCC diagnostic pop

void Check(bool condition, const char* what, const char* key) {
  if (condition) return;
  std::fprintf(stderr, "catalogue text of %s: %s\n", key, what);
  std::abort();
}

// Formats the text that `map` holds for `key`, if any, with every round of samples.
template <char... Kinds>
void FormatAcceptedText(MessageKey<Kinds...> key, const MessageMap* map) {
  const char* text = MessageMapGet(map, key.name);
  if (text == nullptr) return;
  int used = CountFormatArguments(text, MessageKey<Kinds...>::kKinds);
  Check(used >= 0 && used <= static_cast<int>(sizeof...(Kinds)), "accepted with bad conversions",
        key.name);
  for (int round = 0; round < kSampleRounds; ++round) {
    std::string whole;
    Check(FormatWhole(&whole, text, Sample<Kinds>(round)...), "formatting failed", key.name);
    std::string expected = whole.substr(0, kMaxTextLength);
    // A "%c" of 0 puts a NUL into the text, which ends it as it ends any C text.
    expected = expected.substr(0, expected.find('\0'));
    std::string local = LocalText(key, Sample<Kinds>(round)...);
    std::string base = BaseText(key, Sample<Kinds>(round)...);
    Check(local.size() <= kMaxTextLength, "local text longer than 1023", key.name);
    Check(local == expected, "local text is not the cut formatted text", key.name);
    Check(base == expected, "base text is not the cut formatted text", key.name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  MessageMap* map = CreateMessageMap();
  std::string warnings;
  AddCatalogueToMap(bytes, map, &warnings);
  g_message_maps.local = map;
  g_message_maps.base = map;
#define MESSAGE_KEY(key, ...) FormatAcceptedText(msg::key, map);
#include "messages/message_key_list.h"
  g_message_maps.local = nullptr;
  g_message_maps.base = nullptr;
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
