#include "messages/messages.h"

#include "messages/message_map.h"
#include "messages/run_flags.h"

MessageMaps g_message_maps;
RunFlags g_run_flags;

static const char* Lookup(const MessageMap* map, const char* key) {
  const char* text = MessageMapGet(map, key);
  return text != nullptr ? text : key;
}

const char* message_detail::LocalMessageNamed(const char* key) {
  return Lookup(g_message_maps.local, key);
}

const char* message_detail::BaseMessageNamed(const char* key) {
  return Lookup(g_message_maps.base, key);
}

void FreeMessageMaps() {
  DestroyMessageMap(g_message_maps.local);
  g_message_maps.local = nullptr;
  DestroyMessageMap(g_message_maps.base);
  g_message_maps.base = nullptr;
}
