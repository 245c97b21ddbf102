// A fixed-size, separately chained hash table from message keys to message texts.
//
// The table has exactly 199 buckets and never grows. A key's bucket comes from a
// multiply-by-61 hash over its bytes taken as signed chars, so a key 0xFF lands in
// bucket 45, not 56. New keys go to the head of their chain.
#ifndef MESSAGES_MESSAGE_MAP_H_
#define MESSAGES_MESSAGE_MAP_H_

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t kMessageMapBuckets = 199;

struct MessageNode {
  std::string key;
  std::string value;
  MessageNode* next;
};

struct MessageMap {
  MessageNode* buckets[kMessageMapBuckets];
};

// The bucket of `key`: "A" gives 65, "AB" gives 4031 % 199 = 51, "" gives 0.
std::size_t MessageMapBucket(std::string_view key);

// A new map with every bucket empty, or nullptr when the heap is exhausted.
MessageMap* CreateMessageMap();

// Stores `text` for `key`. A present key keeps its node and gets the new text.
// Does nothing when `map` is null.
void MessageMapPut(MessageMap* map, std::string key, std::string text);

// The text stored for `key`, or nullptr (no map, or key not present). The pointer
// stays valid until the map is destroyed.
const char* MessageMapGet(const MessageMap* map, std::string_view key);

// Releases every node and the map. Does nothing when `map` is null.
void DestroyMessageMap(MessageMap* map);

#endif  // MESSAGES_MESSAGE_MAP_H_
