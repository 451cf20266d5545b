#pragma once

#include <cstdint>
#include <vector>

#include "swf/RgbaImage.h"

namespace swivex::swf {

// Writes a PNG file (IHDR, one IDAT, IEND) of 8-bit RGBA pixels, or of their RGB alone when
// `keepAlpha` is false; every row unfiltered, deflated by zlib.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image, bool keepAlpha);

}  // namespace swivex::swf
