#pragma once

#include "swf/Picture.h"
#include "swf/RgbaImage.h"

namespace swivex::swf {

// Inflates and expands a DefineBitsLossless(2) picture: colour-mapped, 15-bit or 24/32-bit,
// rows padded to four bytes as the tags store them, the premultiplied colours of
// DefineBitsLossless2 made straight again. The inflated size must match the tag's size
// exactly. An index past the colour table stands for transparent black (opaque black in
// DefineBitsLossless), as players draw it.
RgbaImage DecodeLossless(const Picture& picture);

}  // namespace swivex::swf
