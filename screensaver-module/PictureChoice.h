#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "swf/Picture.h"

namespace swivex::glowdrift {

// How much of a movie the saver shows and how much work and memory that may cost: a movie may
// hold thousands of pictures, or lie about their sizes.
inline constexpr std::size_t kMostShownPictures = 12;
// Pictures that fail to decode give their place to the next largest, up to this many tries.
inline constexpr std::size_t kMostDecodeAttempts = 2 * kMostShownPictures;
// One picture is decoded at a time, and none larger than this (32 MiB of pixels).
inline constexpr std::uint64_t kMostDecodedPixels = 8ull << 20;
// Nor is a picture read whose stored bytes (image and alpha data) are more than this.
inline constexpr std::uint64_t kMostPictureBytes = 64ull << 20;
// What the saver keeps of a picture: shrunk so that no side is longer (2.25 MiB of pixels).
inline constexpr std::uint32_t kLongestKeptSide = 768;

// The pictures worth decoding, in the order they are shown: the largest by pixel area first,
// the movie's order among equals, those whose size is not known yet after all others. GIF
// data, data of no known format, pictures larger than kMostDecodedPixels and ones stored in more
// than kMostPictureBytes are left out; at
// most kMostDecodeAttempts are listed.
std::vector<swf::PictureInfo> RankPictures(const std::vector<swf::PictureInfo>& pictures);

}  // namespace swivex::glowdrift
