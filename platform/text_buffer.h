// Texts that the launcher documents as living in 1024-byte buffers hold at most
// 1023 characters. Values are cut to that size where they enter, with StoreBounded.
#ifndef PLATFORM_TEXT_BUFFER_H_
#define PLATFORM_TEXT_BUFFER_H_

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t kTextBufferSize = 1024;
constexpr std::size_t kMaxTextLength = kTextBufferSize - 1;

// Stores at most kMaxTextLength characters of `value` in `*dst`.
inline void StoreBounded(std::string* dst, std::string_view value) {
  dst->assign(value.substr(0, kMaxTextLength));
}

#endif  // PLATFORM_TEXT_BUFFER_H_
