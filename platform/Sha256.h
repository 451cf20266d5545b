#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/ErrorCode.h"

namespace swivex {

// A SHA-256 digest computed by the system's own cryptography: BCrypt on Windows, OpenSSL's
// libcrypto elsewhere. Bytes are added in pieces of any size as they are read. The first
// failure of the system is kept and reported by Finish, so that a caller checks once. Making
// one raises std::runtime_error if the system's cryptography library itself cannot be used.
class Sha256 {
 public:
  using Digest = std::array<std::uint8_t, 32>;

  Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;
  ~Sha256();

  void Add(const void* bytes, std::size_t count);
  // The digest of every byte added; 0, or the error at the first step that failed (`digest` is
  // then left alone). A hash finishes once.
  ErrorCode Finish(Digest& digest);

 private:
  struct State;
  std::unique_ptr<State> state_;
  ErrorCode error_ = 0;
};

}  // namespace swivex
