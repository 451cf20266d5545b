// SHA-256 through BCrypt, the system's cryptography API.
#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>
#include <winternl.h>

#include <algorithm>

#include "platform/Sha256.h"
#include "winsupport/SystemLibrary.h"
#include "winsupport/UniqueHandle.h"

namespace swivex {

namespace {

// bcrypt.dll is not one of the KnownDLLs: it is loaded from the system folder, once, when the
// first hash is made.
struct BCrypt {
  win::SystemLibrary library{"bcrypt.dll"};
  decltype(::BCryptOpenAlgorithmProvider)* openAlgorithm =
      library.Function<decltype(::BCryptOpenAlgorithmProvider)>("BCryptOpenAlgorithmProvider");
  decltype(::BCryptCloseAlgorithmProvider)* closeAlgorithm =
      library.Function<decltype(::BCryptCloseAlgorithmProvider)>("BCryptCloseAlgorithmProvider");
  decltype(::BCryptCreateHash)* createHash =
      library.Function<decltype(::BCryptCreateHash)>("BCryptCreateHash");
  decltype(::BCryptDestroyHash)* destroyHash =
      library.Function<decltype(::BCryptDestroyHash)>("BCryptDestroyHash");
  decltype(::BCryptHashData)* hashData =
      library.Function<decltype(::BCryptHashData)>("BCryptHashData");
  decltype(::BCryptFinishHash)* finishHash =
      library.Function<decltype(::BCryptFinishHash)>("BCryptFinishHash");
};

const BCrypt& Api() {
  static const BCrypt api;
  return api;
}

// A handle exists only once Api() has succeeded, so their releases find it made.
struct AlgorithmTraits {
  using Handle = BCRYPT_ALG_HANDLE;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle algorithm) noexcept { Api().closeAlgorithm(algorithm, 0); }
};

struct HashTraits {
  using Handle = BCRYPT_HASH_HANDLE;
  static Handle Empty() noexcept { return nullptr; }
  static void Release(Handle hash) noexcept { Api().destroyHash(hash); }
};

// BCryptHashData counts in 32 bits; larger pieces go in parts of this size.
constexpr std::size_t kLargestPiece = 1u << 30;

// BCrypt reports NTSTATUS values; the rest of the program speaks Win32 error codes.
ErrorCode Outcome(NTSTATUS status) {
  return status >= 0 ? 0 : static_cast<ErrorCode>(::RtlNtStatusToDosError(status));
}

}  // namespace

struct Sha256::State {
  win::UniqueHandle<AlgorithmTraits> algorithm;
  win::UniqueHandle<HashTraits> hash;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  const BCrypt& api = Api();
  error_ =
      Outcome(api.openAlgorithm(state_->algorithm.Receive(), BCRYPT_SHA256_ALGORITHM, nullptr, 0));
  // Without a buffer of the caller's, BCrypt keeps the hash object itself (Windows 7 on).
  if (error_ == 0)
    error_ = Outcome(
        api.createHash(state_->algorithm.Get(), state_->hash.Receive(), nullptr, 0, nullptr, 0, 0));
}

Sha256::~Sha256() = default;

void Sha256::Add(const void* bytes, std::size_t count) {
  auto* next = static_cast<UCHAR*>(const_cast<void*>(bytes));
  while (error_ == 0 && count != 0) {
    const std::size_t piece = std::min(count, kLargestPiece);
    error_ = Outcome(Api().hashData(state_->hash.Get(), next, static_cast<ULONG>(piece), 0));
    next += piece;
    count -= piece;
  }
}

ErrorCode Sha256::Finish(Digest& digest) {
  if (error_ == 0)
    error_ = Outcome(
        Api().finishHash(state_->hash.Get(), digest.data(), static_cast<ULONG>(digest.size()), 0));
  return error_;
}

}  // namespace swivex
