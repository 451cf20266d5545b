#pragma once

#include <cstdint>

namespace swivex::swf::jpeg {

// The JPEG markers that the movie reader looks at.
inline constexpr std::uint8_t kMarker = 0xFF;
inline constexpr std::uint8_t kStartOfImage = 0xD8;
inline constexpr std::uint8_t kEndOfImage = 0xD9;
inline constexpr std::uint8_t kStartOfScan = 0xDA;

// TEM and RST0..RST7 stand alone: no length follows them.
constexpr bool HasNoLength(std::uint8_t marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

}  // namespace swivex::swf::jpeg
