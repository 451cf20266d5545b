// SHA-256 through OpenSSL's libcrypto.
#include <openssl/evp.h>

#include <cerrno>

#include "platform/Sha256.h"

namespace swivex {

namespace {

// libcrypto keeps its reasons in an error queue of its own, not in errno; its digest calls
// fail only when they cannot allocate, which errno names best.
constexpr ErrorCode kDigestFailed = ENOMEM;

struct ContextDeleter {
  void operator()(EVP_MD_CTX* context) const noexcept { EVP_MD_CTX_free(context); }
};

}  // namespace

struct Sha256::State {
  std::unique_ptr<EVP_MD_CTX, ContextDeleter> context{EVP_MD_CTX_new()};
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  if (!state_->context || EVP_DigestInit_ex(state_->context.get(), EVP_sha256(), nullptr) != 1)
    error_ = kDigestFailed;
}

Sha256::~Sha256() = default;

void Sha256::Add(const void* bytes, std::size_t count) {
  if (error_ != 0 || count == 0) return;
  if (EVP_DigestUpdate(state_->context.get(), bytes, count) != 1) error_ = kDigestFailed;
}

ErrorCode Sha256::Finish(Digest& digest) {
  if (error_ != 0) return error_;
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(state_->context.get(), digest.data(), &length) != 1 ||
      length != digest.size())
    error_ = kDigestFailed;
  return error_;
}

}  // namespace swivex
