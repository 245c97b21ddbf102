#include "messages/message_keys.h"

const MessageKeyInfo kMessageKeys[] = {
#define MESSAGE_KEY(key, ...) {#key, MessageKey<__VA_ARGS__>::kKinds},
#include "messages/message_key_list.h"
};

const std::size_t kMessageKeyCount = sizeof kMessageKeys / sizeof kMessageKeys[0];

const MessageKeyInfo* FindMessageKey(std::string_view key) {
  for (const MessageKeyInfo& info : kMessageKeys) {
    if (key == info.key) return &info;
  }
  return nullptr;
}
