#pragma once

#include <cstdint>
#include <string>

#include "swf/Picture.h"

namespace swivex::swf {

// Pictures this reader decodes or keeps: a lying size in a picture must not cost gigabytes.
inline constexpr std::uint32_t kMaxPictureSide = 16384;
inline constexpr std::uint64_t kMaxPicturePixels = 64ull << 20;
// The most bytes of one picture (image data and alpha data) that a walk hands over.
inline constexpr std::uint64_t kMaxPictureBytes = 256ull << 20;

// "picture 12 (DefineBitsLossless2)", for error texts.
std::string DescribePicture(const PictureInfo& info);

// Raises ESwfError at `offset` unless the size has pixels and lies within the limits above.
void CheckPictureSize(const PictureInfo& info, PixelSize size, std::uint64_t offset);

}  // namespace swivex::swf
