#include "screensaver-module/PictureFit.h"

#include <algorithm>
#include <cmath>

namespace swivex::glowdrift {

namespace {

std::uint32_t Scaled(std::uint32_t side, double scale) {
  return std::max<std::uint32_t>(1, static_cast<std::uint32_t>(std::lround(side * scale)));
}

// The source columns (or rows) that make up target column `index` of `target`.
struct Span {
  std::uint32_t first;
  std::uint32_t end;
};
Span SourceSpan(std::uint32_t index, std::uint32_t target, std::uint32_t source) {
  const auto first = static_cast<std::uint32_t>(std::uint64_t{index} * source / target);
  const auto end = static_cast<std::uint32_t>(std::uint64_t{index + 1} * source / target);
  return {first, std::max(end, first + 1)};
}

}  // namespace

BgraImage ShrinkAndPremultiply(const BgraImage& image, std::uint32_t longestSide) {
  const std::uint32_t longest = std::max(image.width, image.height);
  const double scale = longest > longestSide ? static_cast<double>(longestSide) / longest : 1.0;
  BgraImage shrunk{std::min(Scaled(image.width, scale), image.width),
                   std::min(Scaled(image.height, scale), image.height),
                   {}};
  shrunk.pixels.resize(std::size_t{shrunk.width} * shrunk.height * 4);
  std::uint8_t* out = shrunk.pixels.data();
  for (std::uint32_t row = 0; row < shrunk.height; ++row) {
    const Span rows = SourceSpan(row, shrunk.height, image.height);
    for (std::uint32_t column = 0; column < shrunk.width; ++column, out += 4) {
      const Span columns = SourceSpan(column, shrunk.width, image.width);
      // Sums of premultiplied channels (blue, green, red times alpha) and of alpha.
      std::uint64_t sums[4] = {};
      for (std::uint32_t y = rows.first; y < rows.end; ++y) {
        const std::uint8_t* in = image.pixels.data() + (std::size_t{y} * image.width) * 4;
        for (std::uint32_t x = columns.first; x < columns.end; ++x) {
          const std::uint8_t* pixel = in + std::size_t{x} * 4;
          for (int channel = 0; channel < 3; ++channel) sums[channel] += pixel[channel] * pixel[3];
          sums[3] += pixel[3];
        }
      }
      const std::uint64_t count =
          std::uint64_t{rows.end - rows.first} * (columns.end - columns.first);
      for (int channel = 0; channel < 3; ++channel)
        out[channel] = static_cast<std::uint8_t>((sums[channel] + count * 255 / 2) / (count * 255));
      out[3] = static_cast<std::uint8_t>((sums[3] + count / 2) / count);
    }
  }
  return shrunk;
}

swf::PixelSize FitWithin(swf::PixelSize picture, swf::PixelSize box, double mostScale) {
  if (picture.width == 0 || picture.height == 0) return {1, 1};
  const double scale = std::min({static_cast<double>(box.width) / picture.width,
                                 static_cast<double>(box.height) / picture.height, mostScale});
  // Rounded down, so that the fitted side meets the box's edge and never passes it.
  const auto fitted = [scale](std::uint32_t side) {
    return std::max<std::uint32_t>(1, static_cast<std::uint32_t>(side * scale + 1e-9));
  };
  return {fitted(picture.width), fitted(picture.height)};
}

}  // namespace swivex::glowdrift
