// Every message key the launcher looks up, with the arguments its text is formatted
// with: one letter per argument, in order, 's' for a string and 'd' for an int.
//
// Both views come from message_key_list.h. Code names a key by its typed constant,
// msg::S_ERPERDIR, whose type carries the argument kinds, so that LocalText and its
// kin refuse wrong arguments at compile time; the catalogue loader and compiler walk
// kMessageKeys, where the same kinds are a text ("sd").
#ifndef MESSAGES_MESSAGE_KEYS_H_
#define MESSAGES_MESSAGE_KEYS_H_

#include <cstddef>
#include <string_view>

// A message key whose text is formatted with arguments of the kinds `Kinds`, in order.
// MessageKey<> is a key used as a plain text.
template <char... Kinds>
struct MessageKey {
  static_assert(((Kinds == 's' || Kinds == 'd') && ...), "argument kinds are 's' or 'd'");
  static constexpr char kKinds[sizeof...(Kinds) + 1] = {Kinds..., '\0'};
  const char* name;
};

namespace msg {
#define MESSAGE_KEY(key, ...) inline constexpr MessageKey<__VA_ARGS__> key{#key};
#include "messages/message_key_list.h"
}  // namespace msg

struct MessageKeyInfo {
  const char* key;
  const char* arguments;
};

extern const MessageKeyInfo kMessageKeys[];
extern const std::size_t kMessageKeyCount;

// The entry for `key`, or nullptr when the launcher never looks it up.
const MessageKeyInfo* FindMessageKey(std::string_view key);

#endif  // MESSAGES_MESSAGE_KEYS_H_
