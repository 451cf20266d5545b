// Feeds the JPEG loader (the About picture's and the screen saver's) damaged and arbitrary data. Whatever the bytes, reading
// the header and decoding either raise an error report or give a picture that keeps its promises:
// the size that the header announced, four bytes per pixel with alpha 255, grey pixels with equal
// blue, green and red, and the same kept pixels on a second call. A decoding that fails keeps
// nothing and fails the same way when it is tried again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "common/Exceptions.h"
#include "pictures/JpegPicture.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

void CheckPixels(const swivex::JpegPicture& picture, const swivex::BgraImage& image) {
  Check(static_cast<int>(image.width) == picture.Width() &&
            static_cast<int>(image.height) == picture.Height(),
        "the pixels have the size of the header");
  Check(image.pixels.size() == std::size_t{4} * image.width * image.height, "four bytes a pixel");
  const bool grey = picture.ColorSpace() == swivex::JpegColorSpace::Grayscale;
  for (std::size_t at = 0; at < image.pixels.size(); at += 4) {
    Check(image.pixels[at + 3] == 255, "every pixel is opaque");
    if (grey)
      Check(image.pixels[at] == image.pixels[at + 1] && image.pixels[at] == image.pixels[at + 2],
            "a grey pixel is grey");
  }
}

void Decode(swivex::JpegPicture& picture) {
  try {
    const swivex::BgraImage& image = picture.Decode();
    CheckPixels(picture, image);
    Check(picture.IsDecoded() && &picture.Decode() == &image, "the pixels are kept");
  } catch (const swivex::Exception& first) {
    Check(!first.Message().empty(), "an error report has text");
    Check(!picture.IsDecoded(), "a failed decoding keeps nothing");
    try {
      picture.Decode();
      Check(false, "a decoding that failed fails again");
    } catch (const swivex::Exception& again) {
      Check(again.Message() == first.Message(), "the same failure the second time");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  try {
    swivex::JpegPicture picture = swivex::JpegPicture::ReadHeader(std::move(bytes));
    Check(picture.Width() > 0 && picture.Height() > 0, "a picture has pixels");
    Check(!picture.IsDecoded(), "the header alone decodes nothing");
    Decode(picture);
  } catch (const swivex::Exception& error) {
    Check(!error.Message().empty(), "an error report has text");
  }
  return 0;
}
