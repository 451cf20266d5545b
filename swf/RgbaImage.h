#pragma once

#include <cstdint>
#include <vector>

namespace swivex::swf {

// Pixels top row first, four bytes each in the order R, G, B, A, alpha not premultiplied.
struct RgbaImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> pixels;
};

}  // namespace swivex::swf
