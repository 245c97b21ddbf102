// Every message key the launcher looks up, with the arguments its text is formatted
// with: one letter per argument, in order, 's' for a string and 'd' for an int.
#ifndef MESSAGES_MESSAGE_KEYS_H_
#define MESSAGES_MESSAGE_KEYS_H_

#include <cstddef>
#include <string_view>

struct MessageKeyInfo {
  const char* key;
  const char* arguments;
};

extern const MessageKeyInfo kMessageKeys[];
extern const std::size_t kMessageKeyCount;

// The entry for `key`, or nullptr when the launcher never looks it up.
const MessageKeyInfo* FindMessageKey(std::string_view key);

#endif  // MESSAGES_MESSAGE_KEYS_H_
