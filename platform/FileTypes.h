#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ErrorCode.h"

namespace swivex {

// An open file as the system knows it: a HANDLE on Windows, a descriptor elsewhere.
using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoFile = -1;

enum class SeekOrigin { Begin, End };

struct FileResult {
  NativeFile file = kNoFile;
  ErrorCode error = 0;  // captured right after the failed call
};

struct TransferResult {
  std::size_t done = 0;  // a failed transfer counts as none
  ErrorCode error = 0;
};

struct SizeResult {
  std::uint64_t size = 0;
  ErrorCode error = 0;
};

struct PathResult {
  std::string path;  // empty when the call failed
  ErrorCode error = 0;
};

}  // namespace swivex
