#include "swf/PngDecoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

#include "swf/PictureLimits.h"
#include "swf/SwfError.h"
#include "swf/ZlibInflate.h"

namespace swivex::swf {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint32_t kLargestChunk = 0x7FFFFFFF;

enum ColourType : std::uint8_t { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

std::size_t ChannelsOf(std::uint8_t colourType) {
  switch (colourType) {
    case kGrey:
    case kPalette:
      return 1;
    case kGreyAlpha:
      return 2;
    case kRgb:
      return 3;
    default:
      return 4;
  }
}

std::uint8_t Paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left);
  const int toUp = std::abs(estimate - up);
  const int toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<std::uint8_t>(left);
  return static_cast<std::uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

class PngReader {
 public:
  PngReader(std::span<const std::uint8_t> png, std::uint64_t offset, const std::string& what)
      : png_(png), offset_(offset), what_(what) {}

  RgbaImage Decode() {
    if (png_.size() < sizeof kSignature || !std::equal(kSignature, kSignature + 8, png_.data())) {
      Fail(0, "does not start with the PNG signature");
    }
    ReadChunks();
    std::vector<std::uint8_t> rows =
        InflateExactly(compressed_, std::uint64_t{height_} * (1 + RowBytes()), offset_ + firstIdat_,
                       what_ + "'s pixel data");
    Unfilter(rows);
    return ToRgba(rows);
  }

 private:
  [[noreturn]] void Fail(std::size_t position, const std::string& problem) const {
    throw ESwfError(offset_ + position, what_ + " " + problem);
  }

  std::size_t RowBytes() const { return std::size_t{width_} * channels_; }

  void ReadChunks() {
    std::size_t position = sizeof kSignature;
    bool seenHeader = false;
    for (;;) {
      if (png_.size() - position < 12) Fail(position, "ends before its IEND chunk");
      const std::uint32_t length = BigEndian32(png_.data() + position);
      const std::uint8_t* type = png_.data() + position + 4;
      if (length > kLargestChunk || length > png_.size() - position - 12) {
        Fail(position, "has a chunk that runs past its end");
      }
      const std::uint8_t* data = type + 4;
      const uLong crc = crc32(0L, type, length + 4);
      if (crc != BigEndian32(data + length)) Fail(position, "has a chunk whose CRC is wrong");
      const std::string name(type, type + 4);
      if (!seenHeader && name != "IHDR") Fail(position, "does not start with an IHDR chunk");
      if (name == "IHDR") {
        if (seenHeader) Fail(position, "has a second IHDR chunk");
        ReadHeader(position, data, length);
        seenHeader = true;
      } else if (name == "PLTE") {
        ReadPalette(position, data, length);
      } else if (name == "tRNS") {
        ReadTransparency(position, data, length);
      } else if (name == "IDAT") {
        if (compressed_.empty()) firstIdat_ = position;
        compressed_.insert(compressed_.end(), data, data + length);
      } else if (name == "IEND") {
        return;
      } else if ((type[0] & 0x20) == 0) {
        Fail(position, "has a critical chunk " + name + " that this reader does not know");
      }
      position += 12 + std::size_t{length};
    }
  }

  void ReadHeader(std::size_t position, const std::uint8_t* data, std::uint32_t length) {
    if (length != 13) Fail(position, "has an IHDR chunk of the wrong length");
    width_ = BigEndian32(data);
    height_ = BigEndian32(data + 4);
    const std::uint8_t depth = data[8];
    colourType_ = data[9];
    if (data[10] != 0 || data[11] != 0) Fail(position, "uses an unknown compression or filter");
    if (data[12] != 0) Fail(position, "is interlaced, which this reader does not decode");
    if (depth != 8) {
      Fail(position, "has " + std::to_string(depth) + "-bit samples; only 8-bit ones are decoded");
    }
    if (colourType_ != kGrey && colourType_ != kRgb && colourType_ != kPalette &&
        colourType_ != kGreyAlpha && colourType_ != kRgba) {
      Fail(position,
           "has colour type " + std::to_string(colourType_) + ", which PNG does not define");
    }
    channels_ = ChannelsOf(colourType_);
    if (width_ > kMaxPictureSide || height_ > kMaxPictureSide || width_ == 0 || height_ == 0 ||
        std::uint64_t{width_} * height_ > kMaxPicturePixels) {
      Fail(position, "is " + std::to_string(width_) + "x" + std::to_string(height_) +
                         " pixels, outside what this reader decodes (1 to " +
                         std::to_string(kMaxPictureSide) + " a side, " +
                         std::to_string(kMaxPicturePixels >> 20) + " megapixels)");
    }
  }

  void ReadPalette(std::size_t position, const std::uint8_t* data, std::uint32_t length) {
    if (length % 3 != 0 || length / 3 > 256 || length == 0) {
      Fail(position, "has a PLTE chunk of the wrong length");
    }
    palette_.clear();
    for (std::uint32_t i = 0; i < length; i += 3) {
      palette_.push_back({data[i], data[i + 1], data[i + 2], 255});
    }
  }

  void ReadTransparency(std::size_t position, const std::uint8_t* data, std::uint32_t length) {
    if (colourType_ == kPalette) {
      if (length > palette_.size()) Fail(position, "has more tRNS entries than colours");
      for (std::uint32_t i = 0; i < length; ++i) palette_[i][3] = data[i];
    } else if (colourType_ == kGrey && length == 2) {
      colourKey_ = std::array<std::uint16_t, 3>{};
      (*colourKey_)[0] = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
    } else if (colourType_ == kRgb && length == 6) {
      colourKey_ = std::array<std::uint16_t, 3>{};
      for (int i = 0; i < 3; ++i) {
        (*colourKey_)[i] = static_cast<std::uint16_t>(data[2 * i] << 8 | data[2 * i + 1]);
      }
    } else {
      Fail(position, "has a tRNS chunk that does not fit its colour type");
    }
  }

  void Unfilter(std::vector<std::uint8_t>& rows) const {
    const std::size_t rowBytes = RowBytes();
    const std::size_t stride = rowBytes + 1;
    for (std::uint32_t y = 0; y < height_; ++y) {
      std::uint8_t* row = rows.data() + y * stride;
      const std::uint8_t filter = row[0];
      std::uint8_t* line = row + 1;
      const std::uint8_t* above = y > 0 ? line - stride : nullptr;
      if (filter > 4)
        Fail(firstIdat_, "has a row with unknown filter type " + std::to_string(filter));
      for (std::size_t i = 0; i < rowBytes; ++i) {
        const int left = i >= channels_ ? line[i - channels_] : 0;
        const int up = above != nullptr ? above[i] : 0;
        const int upLeft = above != nullptr && i >= channels_ ? above[i - channels_] : 0;
        int predicted = 0;
        switch (filter) {
          case 1:
            predicted = left;
            break;
          case 2:
            predicted = up;
            break;
          case 3:
            predicted = (left + up) / 2;
            break;
          case 4:
            predicted = Paeth(left, up, upLeft);
            break;
          default:
            break;
        }
        line[i] = static_cast<std::uint8_t>(line[i] + predicted);
      }
    }
  }

  RgbaImage ToRgba(const std::vector<std::uint8_t>& rows) const {
    if (colourType_ == kPalette && palette_.empty())
      Fail(0, "has palette pixels but no PLTE chunk");
    RgbaImage image{width_, height_, {}};
    image.pixels.resize(std::size_t{width_} * height_ * 4);
    std::uint8_t* out = image.pixels.data();
    for (std::uint32_t y = 0; y < height_; ++y) {
      const std::uint8_t* in = rows.data() + y * (RowBytes() + 1) + 1;
      for (std::uint32_t x = 0; x < width_; ++x, in += channels_, out += 4) {
        const std::array<std::uint8_t, 4> pixel = Pixel(in);
        std::copy(pixel.begin(), pixel.end(), out);
      }
    }
    return image;
  }

  std::array<std::uint8_t, 4> Pixel(const std::uint8_t* in) const {
    switch (colourType_) {
      case kGrey:
        return {in[0], in[0], in[0], KeyedAlpha(in[0], in[0], in[0])};
      case kRgb:
        return {in[0], in[1], in[2], KeyedAlpha(in[0], in[1], in[2])};
      case kPalette:
        if (in[0] >= palette_.size()) Fail(firstIdat_, "has a pixel past its palette");
        return palette_[in[0]];
      case kGreyAlpha:
        return {in[0], in[0], in[0], in[1]};
      default:
        return {in[0], in[1], in[2], in[3]};
    }
  }

  std::uint8_t KeyedAlpha(std::uint8_t r, std::uint8_t g, std::uint8_t b) const {
    if (!colourKey_) return 255;
    const auto& key = *colourKey_;
    const bool match =
        colourType_ == kGrey ? key[0] == r : key[0] == r && key[1] == g && key[2] == b;
    return match ? 0 : 255;
  }

  std::span<const std::uint8_t> png_;
  std::uint64_t offset_;
  const std::string& what_;
  std::uint32_t width_ = 0;
  std::uint32_t height_ = 0;
  std::uint8_t colourType_ = 0;
  std::size_t channels_ = 0;
  std::vector<std::array<std::uint8_t, 4>> palette_;
  std::optional<std::array<std::uint16_t, 3>> colourKey_;
  std::vector<std::uint8_t> compressed_;
  std::size_t firstIdat_ = 0;
};

}  // namespace

RgbaImage DecodePng(std::span<const std::uint8_t> png, std::uint64_t offset,
                    const std::string& what) {
  return PngReader(png, offset, what).Decode();
}

}  // namespace swivex::swf
