#include "pictures/JpegPicture.h"

#include <algorithm>
#include <span>
#include <string>
#include <utility>

#include "common/Exceptions.h"
#include "pictures/JpegDecompression.h"

namespace swivex {
namespace {

// A header may claim up to 65500 x 65500 pixels; a picture that large is shown nowhere, and its
// pixels would be allocated before the first row shows whether any data follow.
constexpr std::size_t kMostPixels = std::size_t{1} << 24;

JpegColorSpace ShownColorSpace(const jpeg_decompress_struct& info) {
  switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
      return JpegColorSpace::Grayscale;
    case JCS_RGB:
      return JpegColorSpace::Rgb;
    case JCS_YCbCr:
      return JpegColorSpace::YCbCr;
    default:
      throw Exception("The JPEG picture cannot be shown: its colour space is not RGB or grey");
  }
}

void CheckSize(const jpeg_decompress_struct& info, std::size_t mostPixels) {
  if (std::size_t{info.image_width} * info.image_height > std::min(mostPixels, kMostPixels)) {
    throw Exception("The JPEG picture cannot be shown: it is " + std::to_string(info.image_width) +
                    " x " + std::to_string(info.image_height) + " pixels, too large");
  }
}

// Grey samples (1 byte) or RGB samples (3 bytes) to blue, green, red, alpha.
BgraImage ToBgra(const std::vector<std::uint8_t>& samples, std::uint32_t width,
                 std::uint32_t height, int components) {
  BgraImage image{width, height, std::vector<std::uint8_t>(std::size_t{4} * width * height)};
  std::uint8_t* out = image.pixels.data();
  for (std::size_t at = 0; at < samples.size(); at += components, out += 4) {
    const std::uint8_t red = samples[at];
    const std::uint8_t green = components == 3 ? samples[at + 1] : red;
    const std::uint8_t blue = components == 3 ? samples[at + 2] : red;
    out[0] = blue;
    out[1] = green;
    out[2] = red;
    out[3] = 255;
  }
  return image;
}

BgraImage DecodeToBgra(std::span<const std::uint8_t> bytes, std::size_t mostPixels) {
  JpegDecompression decompression(bytes);
  decompression.ReadHeader();
  const jpeg_decompress_struct& info = decompression.Info();
  CheckSize(info, mostPixels);
  const bool grey = ShownColorSpace(info) == JpegColorSpace::Grayscale;
  const int components = grey ? 1 : 3;
  const std::size_t rowBytes = std::size_t{info.image_width} * components;
  std::vector<std::uint8_t> samples;
  decompression.ReadImage(grey ? JCS_GRAYSCALE : JCS_RGB, samples, rowBytes);
  return ToBgra(samples, info.image_width, info.image_height, components);
}

}  // namespace

JpegPicture::JpegPicture(std::vector<std::uint8_t> bytes, int width, int height,
                         JpegColorSpace colorSpace)
    : bytes_(std::move(bytes)), width_(width), height_(height), colorSpace_(colorSpace) {}

JpegPicture JpegPicture::ReadHeader(std::vector<std::uint8_t> bytes) {
  int width = 0;
  int height = 0;
  JpegColorSpace colorSpace = JpegColorSpace::YCbCr;
  {
    JpegDecompression decompression(bytes);
    decompression.ReadHeader();
    const jpeg_decompress_struct& info = decompression.Info();
    colorSpace = ShownColorSpace(info);
    CheckSize(info, kMostPixels);
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
  }
  return JpegPicture(std::move(bytes), width, height, colorSpace);
}

const BgraImage& JpegPicture::Decode() {
  if (!pixels_) {
    pixels_ = DecodeToBgra(bytes_, kMostPixels);
  }
  return *pixels_;
}

BgraImage DecodeJpeg(std::span<const std::uint8_t> bytes, std::size_t mostPixels) {
  return DecodeToBgra(bytes, mostPixels);
}

}  // namespace swivex
