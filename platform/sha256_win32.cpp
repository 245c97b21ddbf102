#include "platform/sha256.h"

#include "platform/system_procedure_win32.h"
#include "platform/windows_prelude.h"

// After windows.h, which it needs.
#include <bcrypt.h>

namespace {

// bcrypt.dll's calls, looked up on first use: a launch that hashes nothing loads nothing.
struct Bcrypt {
  decltype(&BCryptOpenAlgorithmProvider) open = nullptr;
  decltype(&BCryptCreateHash) create = nullptr;
  decltype(&BCryptHashData) hash = nullptr;
  decltype(&BCryptFinishHash) finish = nullptr;
  decltype(&BCryptDestroyHash) destroy = nullptr;
  BCRYPT_ALG_HANDLE sha256 = nullptr;
};

const Bcrypt& Calls() {
  static const Bcrypt calls = [] {
    Bcrypt c;
    c.open = SystemProcedure<decltype(c.open)>("bcrypt.dll", "BCryptOpenAlgorithmProvider");
    c.create = SystemProcedure<decltype(c.create)>("bcrypt.dll", "BCryptCreateHash");
    c.hash = SystemProcedure<decltype(c.hash)>("bcrypt.dll", "BCryptHashData");
    c.finish = SystemProcedure<decltype(c.finish)>("bcrypt.dll", "BCryptFinishHash");
    c.destroy = SystemProcedure<decltype(c.destroy)>("bcrypt.dll", "BCryptDestroyHash");
    if (c.open != nullptr && c.create != nullptr && c.hash != nullptr && c.finish != nullptr &&
        c.destroy != nullptr && c.open(&c.sha256, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) {
      c.sha256 = nullptr;
    }
    return c;
  }();
  return calls;
}

}  // namespace

struct Sha256::State {
  BCRYPT_HASH_HANDLE hash = nullptr;
  bool failed = false;
};

Sha256::Sha256() : state_(new State) {
  const Bcrypt& calls = Calls();
  state_->failed = calls.sha256 == nullptr ||
                   calls.create(calls.sha256, &state_->hash, nullptr, 0, nullptr, 0, 0) != 0;
}

Sha256::~Sha256() {
  if (state_->hash != nullptr) Calls().destroy(state_->hash);
}

void Sha256::Update(const void* data, std::size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  // CNG takes at most 4 GiB at a time.
  while (!state_->failed && size > 0) {
    ULONG piece = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
    state_->failed = Calls().hash(state_->hash, const_cast<PUCHAR>(bytes), piece, 0) != 0;
    bytes += piece;
    size -= piece;
  }
}

bool Sha256::Finish(Sha256Digest* digest) {
  if (state_->failed ||
      Calls().finish(state_->hash, digest->data(), static_cast<ULONG>(digest->size()), 0) != 0) {
    state_->failed = true;
    return false;
  }
  state_->failed = true;  // spent
  return true;
}
