#pragma once

#include <cstdint>
#include <vector>

#include "pictures/BgraImage.h"
#include "swf/Picture.h"

namespace swivex::swf {

// Decodes a lossless bitmap or PNG data to pixels. JPEG data is the caller's JPEG decoder's
// (ToPictureFile gives it as a clean JPEG file; InflateJpegAlpha gives its alpha plane), and
// GIF data is refused: both raise ESwfError, as does damaged or oversized data.
BgraImage DecodePicture(const Picture& picture);

// Inflates a DefineBitsJpeg3/4 picture's alpha plane for its decoded JPEG of `size`: one byte
// a pixel, top row first. Empty if the picture has no alpha data.
std::vector<std::uint8_t> InflateJpegAlpha(const Picture& picture, PixelSize size);

}  // namespace swivex::swf
