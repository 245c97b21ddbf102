// SHA-256 through maintained code, never our own: the system's CNG (bcrypt.dll, from the
// system directory, loaded at first use) on Windows, OpenSSL's libcrypto natively.
#ifndef PLATFORM_SHA256_H_
#define PLATFORM_SHA256_H_

#include <array>
#include <cstddef>
#include <memory>
#include <string>

using Sha256Digest = std::array<unsigned char, 32>;

// One SHA-256 computation over bytes given in pieces:
//   Sha256 hash; hash.Update("abc", 3); hash.Finish(&digest);
class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  // Adds `size` bytes at `data`.
  void Update(const void* data, std::size_t size);
  // The digest of everything added; false when the system could not compute it (then
  // nothing may be taken as checked). The object is spent afterwards.
  bool Finish(Sha256Digest* digest);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The digest in lower-case hexadecimal, as sha256sum writes it.
std::string HexDigest(const Sha256Digest& digest);

#endif  // PLATFORM_SHA256_H_
