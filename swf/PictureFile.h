#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swf/Picture.h"

namespace swivex::swf {

// A picture as a file of its own.
struct PictureFile {
  std::vector<std::uint8_t> bytes;
  std::string extension;  // ".jpg", ".png" or ".gif"
  // A DefineBitsJpeg3/4 picture's alpha plane is not in the JPEG file written for it.
  bool alphaDropped = false;
};

// Turns a picture into a file's bytes: JPEG data cleaned of the erroneous header and, for
// DefineBits, merged with the movie's JPEG tables; PNG and GIF data as they are; lossless
// bitmaps as PNG files (RGB, or RGBA for DefineBitsLossless2). Raises ESwfError naming the
// picture's offset for data that is damaged or none of those formats.
PictureFile ToPictureFile(const Picture& picture);

}  // namespace swivex::swf
