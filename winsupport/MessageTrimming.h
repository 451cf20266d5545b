#pragma once

#include <cstddef>

namespace swivex::win {

// The length of a system message without the trailing blanks, line breaks, other control
// characters (every byte from 0x00 to 0x20) and periods, in any mix, that would clash with the
// sentence that the message is put into.
constexpr std::size_t TrimmedMessageLength(const char* text, std::size_t length) noexcept {
  while (length > 0) {
    const auto last = static_cast<unsigned char>(text[length - 1]);
    if (last > 0x20 && last != '.') break;
    --length;
  }
  return length;
}

}  // namespace swivex::win
