#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "pictures/BgraImage.h"

namespace swivex {

// The colour spaces of JPEG images that can be shown.
enum class JpegColorSpace { Grayscale, Rgb, YCbCr };

// A JPEG picture that reads its header at once and decodes its pixels only when they are
// first needed, then keeps them. It holds its own copy of the file's bytes.
class JpegPicture {
 public:
  // Reads the header only (size and colour space). Raises an error report if the bytes do not
  // begin a JPEG image, or one whose colour space cannot be shown (CMYK, YCCK).
  static JpegPicture ReadHeader(std::vector<std::uint8_t> bytes);

  int Width() const { return width_; }
  int Height() const { return height_; }
  JpegColorSpace ColorSpace() const { return colorSpace_; }

  // Decodes the pixels (alpha 255) on the first call and returns the kept pixels on later ones.
  // Damaged data raise an error report and keep nothing, so a later call tries again.
  const BgraImage& Decode();
  bool IsDecoded() const { return pixels_.has_value(); }

 private:
  JpegPicture(std::vector<std::uint8_t> bytes, int width, int height, JpegColorSpace colorSpace);

  std::vector<std::uint8_t> bytes_;
  int width_;
  int height_;
  JpegColorSpace colorSpace_;
  std::optional<BgraImage> pixels_;
};

// Decodes JPEG data at once (alpha 255). Raises an error report for what JpegPicture refuses and
// for an image of more than `mostPixels` pixels, before any pixel is allocated.
BgraImage DecodeJpeg(std::span<const std::uint8_t> bytes, std::size_t mostPixels);

}  // namespace swivex
