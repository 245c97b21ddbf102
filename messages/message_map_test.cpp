#include "messages/message_map.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::size_t ChainLength(const MessageMap* map, std::size_t bucket) {
  std::size_t n = 0;
  for (const MessageNode* node = map->buckets[bucket]; node != nullptr; node = node->next) ++n;
  return n;
}

TEST(MessageMapBucket, HashesSignedBytesModulo199) {
  EXPECT_EQ(MessageMapBucket(""), 0u);
  EXPECT_EQ(MessageMapBucket("A"), 65u);
  EXPECT_EQ(MessageMapBucket("AB"), 51u);
  // 0xFF counts as -1: h wraps to 2^32 - 1, bucket 45 (unsigned reading gives 56).
  EXPECT_EQ(MessageMapBucket("\xff"), 45u);
  // A long key wraps modulo 2^32 the same way every time.
  std::string key(300, 'Z');
  EXPECT_EQ(MessageMapBucket(key), MessageMapBucket(std::string(300, 'Z')));
  EXPECT_LT(MessageMapBucket(key), kMessageMapBuckets);
}

TEST(MessageMap, FreshMapFindsNothing) {
  MessageMap* map = CreateMessageMap();
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(MessageMapGet(map, ""), nullptr);
  EXPECT_EQ(MessageMapGet(map, "S_TAV"), nullptr);
  DestroyMessageMap(map);
}

TEST(MessageMap, KeysAreCaseSensitive) {
  MessageMap* map = CreateMessageMap();
  MessageMapPut(map, "S_TAV", "upper");
  MessageMapPut(map, "s_tav", "lower");
  EXPECT_STREQ(MessageMapGet(map, "S_TAV"), "upper");
  EXPECT_STREQ(MessageMapGet(map, "s_tav"), "lower");
  EXPECT_EQ(MessageMapGet(map, "S_Tav"), nullptr);
  DestroyMessageMap(map);
}

TEST(MessageMap, CollidingKeysShareABucketNewestFirst) {
  // Any two-letter key whose hash is congruent to 65 shares the bucket of "A".
  std::string other;
  for (int c1 = 'A'; c1 <= 'Z' && other.empty(); ++c1) {
    for (int c2 = 'A'; c2 <= 'Z'; ++c2) {
      std::string k{static_cast<char>(c1), static_cast<char>(c2)};
      if (MessageMapBucket(k) == 65) {
        other = k;
        break;
      }
    }
  }
  ASSERT_FALSE(other.empty());
  MessageMap* map = CreateMessageMap();
  MessageMapPut(map, "A", "first");
  MessageMapPut(map, other, "second");
  EXPECT_EQ(ChainLength(map, 65), 2u);
  EXPECT_EQ(map->buckets[65]->key, other);
  EXPECT_EQ(map->buckets[65]->next->key, "A");
  EXPECT_STREQ(MessageMapGet(map, "A"), "first");
  EXPECT_STREQ(MessageMapGet(map, other), "second");
  DestroyMessageMap(map);
}

TEST(MessageMap, PutOfPresentKeyReplacesTextInPlace) {
  MessageMap* map = CreateMessageMap();
  MessageMapPut(map, "K", "old");
  MessageMapPut(map, "K", "new");
  EXPECT_STREQ(MessageMapGet(map, "K"), "new");
  EXPECT_EQ(ChainLength(map, MessageMapBucket("K")), 1u);
  DestroyMessageMap(map);
}

TEST(MessageMap, AbsentMapIsTolerated) {
  MessageMapPut(nullptr, "K", "v");
  EXPECT_EQ(MessageMapGet(nullptr, "K"), nullptr);
  DestroyMessageMap(nullptr);
}

TEST(MessageMap, DestroyReleasesEveryBucket) {
  // Under AddressSanitizer a leaked node or string fails this test.
  MessageMap* map = CreateMessageMap();
  for (int i = 0; i < 2000; ++i) {
    MessageMapPut(map, "KEY" + std::to_string(i), std::string(40, 'x'));
  }
  for (std::size_t b = 0; b < kMessageMapBuckets; ++b) EXPECT_GT(ChainLength(map, b), 0u);
  DestroyMessageMap(map);
}

}  // namespace
