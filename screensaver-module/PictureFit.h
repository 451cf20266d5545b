#pragma once

#include <cstdint>

#include "pictures/BgraImage.h"
#include "swf/Picture.h"

namespace swivex::glowdrift {

// The picture as AlphaBlend takes it (each colour channel premultiplied by alpha), shrunk by
// averaging whole blocks of pixels until neither side is longer than `longestSide`. The aspect
// ratio stays within a pixel; a side never shrinks below one pixel.
BgraImage ShrinkAndPremultiply(const BgraImage& image, std::uint32_t longestSide);

// The size at which a picture fills as much of a box as it can with its aspect ratio kept,
// enlarged no more than `mostScale` times; at least one pixel a side.
swf::PixelSize FitWithin(swf::PixelSize picture, swf::PixelSize box, double mostScale);

}  // namespace swivex::glowdrift
