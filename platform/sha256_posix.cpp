#include <openssl/evp.h>

#include "platform/sha256.h"

struct Sha256::State {
  EVP_MD_CTX* context = nullptr;
  bool failed = false;
};

Sha256::Sha256() : state_(new State) {
  state_->context = EVP_MD_CTX_new();
  state_->failed =
      state_->context == nullptr || EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1;
}

Sha256::~Sha256() { EVP_MD_CTX_free(state_->context); }

void Sha256::Update(const void* data, std::size_t size) {
  if (state_->failed) return;
  state_->failed = EVP_DigestUpdate(state_->context, data, size) != 1;
}

bool Sha256::Finish(Sha256Digest* digest) {
  unsigned int length = 0;
  if (state_->failed || EVP_DigestFinal_ex(state_->context, digest->data(), &length) != 1 ||
      length != digest->size()) {
    state_->failed = true;
    return false;
  }
  state_->failed = true;  // spent
  return true;
}
