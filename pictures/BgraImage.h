#pragma once

#include <cstdint>
#include <vector>

namespace swivex {

// Decoded pixels laid out for a 32-bit top-down DIB section (a negative height in its header):
// rows one after another from the top, each pixel the bytes blue, green, red, alpha, alpha not
// premultiplied. A 32-bit row needs no padding.
struct BgraImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> pixels;
};

}  // namespace swivex
