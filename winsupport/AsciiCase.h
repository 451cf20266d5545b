#pragma once

#include <cstddef>
#include <string_view>

namespace swivex::win {

// Letter case as file extensions and HTTP's names and tokens know it: only A-Z and a-z are
// letters. Bytes above 0x7F are left alone, since in a code page or UTF-8 they may be one half of
// a character whose case no single byte tells.
constexpr char LowerAscii(char byte) noexcept {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// ASCII letters compared without case; other bytes as they are.
constexpr bool EqualsIgnoringCase(std::string_view left, std::string_view right) noexcept {
  if (left.size() != right.size()) return false;
  for (std::size_t index = 0; index < left.size(); ++index)
    if (LowerAscii(left[index]) != LowerAscii(right[index])) return false;
  return true;
}

}  // namespace swivex::win
