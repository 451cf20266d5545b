#pragma once

#include <cstdint>

#include "platform/ErrorCode.h"

namespace swivex {

// An open registry key: an HKEY on Windows.
using NativeKey = std::uintptr_t;
inline constexpr NativeKey kNoKey = 0;

struct KeyResult {
  NativeKey key = kNoKey;
  ErrorCode error = 0;
};

struct ValueInfo {
  std::uint32_t type = 0;  // REG_SZ, REG_DWORD, ... (Win32 numbering on every system)
  std::uint32_t size = 0;
  ErrorCode error = 0;
};

// Registry value types, numbered as Win32 numbers them.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;

}  // namespace swivex
