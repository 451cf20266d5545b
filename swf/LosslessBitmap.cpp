#include "swf/LosslessBitmap.h"

#include <algorithm>
#include <array>

#include "swf/PictureLimits.h"
#include "swf/SwfError.h"
#include "swf/ZlibInflate.h"

namespace swivex::swf {
namespace {

using Rgba = std::array<std::uint8_t, 4>;

std::uint8_t Unpremultiply(std::uint8_t colour, std::uint8_t alpha) {
  if (alpha == 0) return 0;
  return static_cast<std::uint8_t>(std::min(255, (colour * 255 + alpha / 2) / alpha));
}

Rgba Straight(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
  return {Unpremultiply(r, a), Unpremultiply(g, a), Unpremultiply(b, a), a};
}

std::uint8_t Expand5(unsigned value) { return static_cast<std::uint8_t>(value << 3 | value >> 2); }

struct Layout {
  std::size_t tableBytes = 0;
  std::size_t rowBytes = 0;
};

Layout LayoutOf(const PictureInfo& info, PixelSize size) {
  const bool alpha = info.tag == PictureTag::kDefineBitsLossless2;
  switch (info.losslessFormat) {
    case 3:
      return {info.colorCount * (alpha ? 4u : 3u), (size.width + 3u) & ~std::size_t{3}};
    case 4:
      return {0, (size.width * 2u + 3u) & ~std::size_t{3}};
    default:
      return {0, size.width * std::size_t{4}};
  }
}

class Expander {
 public:
  Expander(const PictureInfo& info, PixelSize size, const std::vector<std::uint8_t>& bitmap,
           Layout layout)
      : alpha_(info.tag == PictureTag::kDefineBitsLossless2),
        size_(size),
        bitmap_(bitmap),
        layout_(layout) {}

  RgbaImage Run(std::uint8_t format) {
    RgbaImage image{size_.width, size_.height, {}};
    image.pixels.resize(std::size_t{size_.width} * size_.height * 4);
    const std::vector<Rgba> table = format == 3 ? ColourTable() : std::vector<Rgba>{};
    std::uint8_t* out = image.pixels.data();
    for (std::uint32_t y = 0; y < size_.height; ++y) {
      const std::uint8_t* row = bitmap_.data() + layout_.tableBytes + y * layout_.rowBytes;
      for (std::uint32_t x = 0; x < size_.width; ++x, out += 4) {
        const Rgba pixel = format == 3   ? Indexed(table, row[x])
                           : format == 4 ? Pix15(row + 2 * x)
                                         : Pix32(row + 4 * x);
        std::copy(pixel.begin(), pixel.end(), out);
      }
    }
    return image;
  }

 private:
  std::vector<Rgba> ColourTable() const {
    std::vector<Rgba> table;
    const std::size_t entrySize = alpha_ ? 4 : 3;
    for (std::size_t i = 0; i < layout_.tableBytes; i += entrySize) {
      const std::uint8_t* entry = bitmap_.data() + i;
      table.push_back(alpha_ ? Straight(entry[0], entry[1], entry[2], entry[3])
                             : Rgba{entry[0], entry[1], entry[2], 255});
    }
    return table;
  }

  Rgba Indexed(const std::vector<Rgba>& table, std::uint8_t index) const {
    if (index < table.size()) return table[index];
    return {0, 0, 0, static_cast<std::uint8_t>(alpha_ ? 0 : 255)};
  }

  static Rgba Pix15(const std::uint8_t* pixel) {
    const unsigned value = static_cast<unsigned>(pixel[0] << 8 | pixel[1]);
    return {Expand5(value >> 10 & 31), Expand5(value >> 5 & 31), Expand5(value & 31), 255};
  }

  Rgba Pix32(const std::uint8_t* pixel) const {
    if (!alpha_) return {pixel[1], pixel[2], pixel[3], 255};
    return Straight(pixel[1], pixel[2], pixel[3], pixel[0]);
  }

  bool alpha_;
  PixelSize size_;
  const std::vector<std::uint8_t>& bitmap_;
  Layout layout_;
};

}  // namespace

RgbaImage DecodeLossless(const Picture& picture) {
  const PictureInfo& info = picture.info;
  if (info.format != ImageFormat::kLossless || !info.size) {
    throw ESwfError(info.dataOffset, DescribePicture(info) + " is not a lossless bitmap");
  }
  const PixelSize size = *info.size;
  CheckPictureSize(info, size, info.tagOffset);
  const Layout layout = LayoutOf(info, size);
  const std::vector<std::uint8_t> bitmap =
      InflateExactly(picture.data, layout.tableBytes + layout.rowBytes * size.height,
                     info.dataOffset, DescribePicture(info) + "'s bitmap");
  return Expander(info, size, bitmap, layout).Run(info.losslessFormat);
}

}  // namespace swivex::swf
