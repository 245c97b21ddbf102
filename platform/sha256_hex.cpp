#include "platform/sha256.h"

std::string HexDigest(const Sha256Digest& digest) {
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  for (unsigned char byte : digest) {
    text += kHex[byte >> 4];
    text += kHex[byte & 0xf];
  }
  return text;
}
