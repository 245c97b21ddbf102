// The two message maps of the run and the lookups in them.
//
// The local map holds the texts for the console, in the user's language with a fallback
// to cons.nls key by key; the base map holds cons.nls alone, for the installer log.
#ifndef MESSAGES_MESSAGES_H_
#define MESSAGES_MESSAGES_H_

#include "messages/message_keys.h"

struct MessageMap;

struct MessageMaps {
  MessageMap* local = nullptr;
  MessageMap* base = nullptr;
};

extern MessageMaps g_message_maps;

namespace message_detail {

// The texts of the key named `key`, for the typed lookups and the formatting of keys;
// a key is named by its typed constant everywhere else.
const char* LocalMessageNamed(const char* key);
const char* BaseMessageNamed(const char* key);

}  // namespace message_detail

// The console and the log texts of `key`, unformatted. A key that no catalogue defines
// yields the key itself, so every caller gets a printable text without conversions.
template <char... Kinds>
const char* LocalMessage(MessageKey<Kinds...> key) {
  return message_detail::LocalMessageNamed(key.name);
}
template <char... Kinds>
const char* BaseMessage(MessageKey<Kinds...> key) {
  return message_detail::BaseMessageNamed(key.name);
}

// Destroys the local map, then the base map.
void FreeMessageMaps();

#endif  // MESSAGES_MESSAGES_H_
