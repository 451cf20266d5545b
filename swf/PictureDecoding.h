#pragma once

#include <cstdint>
#include <vector>

#include "pictures/BgraImage.h"
#include "swf/Picture.h"
#include "swf/PictureLimits.h"

namespace swivex::swf {

// Decodes a lossless bitmap, PNG data or JPEG data (with the movie's JPEG tables, and with its
// alpha plane for DefineBitsJpeg3/4) to pixels. GIF data is refused. Damaged data, and a
// picture of more than `mostPixels` pixels or beyond the picture limits, raise ESwfError before
// its pixels are allocated.
BgraImage DecodePicture(const Picture& picture, std::uint64_t mostPixels = kMaxPicturePixels);

// Inflates a DefineBitsJpeg3/4 picture's alpha plane for its decoded JPEG of `size`: one byte
// a pixel, top row first. Empty if the picture has no alpha data.
std::vector<std::uint8_t> InflateJpegAlpha(const Picture& picture, PixelSize size);

}  // namespace swivex::swf
