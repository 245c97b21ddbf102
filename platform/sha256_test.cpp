#include "platform/sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::string DigestOf(const std::string& text, std::size_t piece) {
  Sha256 hash;
  for (std::size_t at = 0; at < text.size(); at += piece) {
    hash.Update(text.data() + at, std::min(piece, text.size() - at));
  }
  Sha256Digest digest;
  return hash.Finish(&digest) ? HexDigest(digest) : "failed";
}

// The standard's own examples (FIPS 180-4, and the NIST long message), each fed whole and
// in pieces that cut its 64-byte blocks anywhere.
TEST(Sha256, TheStandardTestVectors) {
  struct Row {
    std::string message;
    const char* digest;
  } rows[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Row& row : rows) {
    for (std::size_t piece : {std::size_t{1000000}, std::size_t{1}, std::size_t{63}}) {
      if (piece == 1 && row.message.size() > 1000) continue;
      EXPECT_EQ(DigestOf(row.message, piece), row.digest) << row.message.size() << "/" << piece;
    }
  }
}

TEST(Sha256, ASpentComputationGivesNoSecondDigest) {
  Sha256 hash;
  Sha256Digest digest;
  ASSERT_TRUE(hash.Finish(&digest));
  EXPECT_FALSE(hash.Finish(&digest));
}

}  // namespace
