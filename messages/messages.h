// The two message maps of the run and the lookups in them.
//
// The local map holds the texts for the console, in the user's language with a fallback
// to cons.nls key by key; the base map holds cons.nls alone, for the installer log.
#ifndef MESSAGES_MESSAGES_H_
#define MESSAGES_MESSAGES_H_

struct MessageMap;

struct MessageMaps {
  MessageMap* local = nullptr;
  MessageMap* base = nullptr;
};

extern MessageMaps g_message_maps;

// The console and the log texts of `key`. A key that no catalogue defines yields the
// key itself, so every caller gets a printable text without conversions.
const char* LocalMessage(const char* key);
const char* BaseMessage(const char* key);

// Destroys the local map, then the base map.
void FreeMessageMaps();

#endif  // MESSAGES_MESSAGES_H_
