#include "messages/message_map.h"

#include <cstdint>
#include <new>

std::size_t MessageMapBucket(std::string_view key) {
  std::uint32_t h = 0;
  for (char c : key) {
    // Bytes above 0x7F count as negative, as a signed char widened to int.
    h = h * 61u +
        static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
  }
  return h % kMessageMapBuckets;
}

MessageMap* CreateMessageMap() {
  MessageMap* map = new (std::nothrow) MessageMap;
  if (map == nullptr) return nullptr;
  for (MessageNode*& head : map->buckets) head = nullptr;
  return map;
}

static MessageNode* FindNode(const MessageMap* map, std::string_view key) {
  for (MessageNode* node = map->buckets[MessageMapBucket(key)]; node != nullptr;
       node = node->next) {
    if (node->key == key) return node;
  }
  return nullptr;
}

void MessageMapPut(MessageMap* map, std::string key, std::string text) {
  if (map == nullptr) return;
  if (MessageNode* node = FindNode(map, key)) {
    node->value = std::move(text);
    return;
  }
  MessageNode*& head = map->buckets[MessageMapBucket(key)];
  MessageNode* node = new (std::nothrow) MessageNode{std::move(key), std::move(text), head};
  // Without memory the entry is lost; its lookups then yield nothing.
  if (node != nullptr) head = node;
}

const char* MessageMapGet(const MessageMap* map, std::string_view key) {
  if (map == nullptr) return nullptr;
  const MessageNode* node = FindNode(map, key);
  return node == nullptr ? nullptr : node->value.c_str();
}

void DestroyMessageMap(MessageMap* map) {
  if (map == nullptr) return;
  for (MessageNode*& head : map->buckets) {
    while (head != nullptr) {
      MessageNode* next = head->next;
      delete head;
      head = next;
    }
  }
  delete map;
}
