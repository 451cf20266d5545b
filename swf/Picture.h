#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace swivex::swf {

// The tags that define a picture, by their tag codes.
enum class PictureTag : std::uint16_t {
  kDefineBits = 6,  // JPEG data whose tables are in the movie's JPEGTables tag
  kDefineBitsLossless = 20,
  kDefineBitsJpeg2 = 21,
  kDefineBitsJpeg3 = 35,  // adds a zlib-compressed alpha plane
  kDefineBitsLossless2 = 36,
  kDefineBitsJpeg4 = 90,  // adds a deblocking parameter to DefineBitsJpeg3
};

enum class ImageFormat {
  kJpeg,
  kPng,
  kGif,
  kLossless,  // a zlib-compressed bitmap of a DefineBitsLossless(2) tag
  kUnknown,   // JPEG-tag data with none of the three signatures
};

struct PixelSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool operator==(const PixelSize&) const = default;
};

// What the tag walk tells of a picture without keeping its bytes.
struct PictureInfo {
  std::uint16_t characterId = 0;
  PictureTag tag = PictureTag::kDefineBits;
  ImageFormat format = ImageFormat::kUnknown;
  // Lossless tags: 3 colour-mapped, 4 15-bit (DefineBitsLossless only), 5 24-bit or 32-bit.
  std::uint8_t losslessFormat = 0;
  // Lossless format 3: the number of colours in the table (1 to 256).
  std::uint16_t colorCount = 0;
  // DefineBitsLossless2, or a DefineBitsJpeg3/4 that carries alpha data.
  bool hasAlpha = false;
  // Absent where it is not cheaply known (JPEG data without a frame header before its scan).
  std::optional<PixelSize> size;
  // DefineBitsJpeg4's deblocking filter parameter (8.8 fixed point).
  std::uint16_t deblocking = 0;
  // Where the tag's header starts and where its image data starts, in the uncompressed movie.
  std::uint64_t tagOffset = 0;
  std::uint64_t dataOffset = 0;
  // The image data's length, and for DefineBitsJpeg3/4 that of the compressed alpha plane.
  std::uint32_t dataLength = 0;
  std::uint32_t alphaLength = 0;
};

// A picture with its bytes as the movie stores them.
struct Picture {
  PictureInfo info;
  // JPEG, PNG or GIF data, or for the lossless tags the zlib-compressed colour table and pixels.
  std::vector<std::uint8_t> data;
  // DefineBitsJpeg3/4: the zlib-compressed alpha plane, one byte a pixel.
  std::vector<std::uint8_t> alpha;
  // DefineBits: the movie's JPEGTables data, as stored (empty if the movie has none).
  std::vector<std::uint8_t> jpegTables;
};

const char* PictureTagName(PictureTag tag);
const char* ImageFormatName(ImageFormat format);

}  // namespace swivex::swf
