#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "swf/RgbaImage.h"

namespace swivex::swf {

// Decodes PNG data of 8-bit depth in the usual colour types: grey, RGB, palette (with tRNS
// transparency), grey with alpha, RGBA. Other depths and interlaced files are refused, as are
// damaged files (a chunk past the end, a CRC that does not match, pixels of the wrong size).
// Errors name `offset` plus the position in the data, and `what`.
RgbaImage DecodePng(std::span<const std::uint8_t> png, std::uint64_t offset,
                    const std::string& what);

}  // namespace swivex::swf
