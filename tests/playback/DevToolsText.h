#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// What the DevTools protocol answers, read the way the tests need it, on any system. Inline, so
// that every test program that drives a browser has it without a source file of its own.
namespace swivex::testing {

namespace devtools_detail {

inline std::uint32_t BigEndian32(const std::vector<unsigned char>& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) << 24 |
         static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

inline unsigned char Paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left);
  const int toUp = std::abs(estimate - up);
  const int toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<unsigned char>(left);
  return static_cast<unsigned char>(toUp <= toUpLeft ? up : upLeft);
}

// Undoes the filter of every row in place (the filter byte leads each row); false for a filter
// that PNG does not know.
inline bool Unfilter(std::vector<unsigned char>& rows, std::size_t rowBytes,
                     std::size_t pixelBytes) {
  for (std::size_t at = 0; at < rows.size(); at += rowBytes + 1) {
    unsigned char* row = rows.data() + at + 1;
    const unsigned char* above = at == 0 ? nullptr : row - rowBytes - 1;
    for (std::size_t index = 0; index < rowBytes; ++index) {
      const int left = index >= pixelBytes ? row[index - pixelBytes] : 0;
      const int up = above ? above[index] : 0;
      const int upLeft = above && index >= pixelBytes ? above[index - pixelBytes] : 0;
      int predicted = 0;
      switch (rows[at]) {
        case 0:
          break;
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
          return false;
      }
      row[index] = static_cast<unsigned char>(row[index] + predicted);
    }
  }
  return true;
}

}  // namespace devtools_detail

// A picture as rows of 8-bit red, green and blue, top row first.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;

  // The pixel's colour as 0xRRGGBB.
  long ColourAt(int x, int y) const;
};

inline long RgbPicture::ColourAt(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                          static_cast<std::size_t>(x)) *
                         3;
  return static_cast<long>(rgb[at]) << 16 | static_cast<long>(rgb[at + 1]) << 8 | rgb[at + 2];
}

// The value of the first string field `name` in a JSON text, without unescaping; empty if none.
inline std::string JsonString(const std::string& json, const std::string& name) {
  const std::string key = "\"" + name + "\":\"";
  const std::size_t start = json.find(key);
  if (start == std::string::npos) return "";
  const std::size_t value = start + key.size();
  return json.substr(value, json.find('"', value) - value);
}

// The bytes that base64 text holds.
inline std::vector<unsigned char> FromBase64(const std::string& text) {
  constexpr std::string_view kDigits =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::vector<unsigned char> bytes;
  std::uint32_t bits = 0;
  int count = 0;
  for (char digit : text) {
    const std::size_t value = kDigits.find(digit);
    if (value == std::string_view::npos) continue;  // padding
    bits = bits << 6 | static_cast<std::uint32_t>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      bytes.push_back(static_cast<unsigned char>(bits >> count));
    }
  }
  return bytes;
}

// A PNG picture of 8-bit RGB or RGBA, not interlaced (what a browser's screenshot is); a picture
// of no pixels if it is not one.
inline RgbPicture DecodePng(const std::vector<unsigned char>& png) {
  std::vector<unsigned char> data;
  std::size_t width = 0;
  std::size_t height = 0;
  bool decodable = false;
  std::size_t pixelBytes = 0;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = devtools_detail::BigEndian32(png, at);
    if (at + 12 + length > png.size()) return {};
    const std::string_view type(reinterpret_cast<const char*>(png.data()) + at + 4, 4);
    const unsigned char* body = png.data() + at + 8;
    if (type == "IHDR" && length >= 13) {
      width = devtools_detail::BigEndian32(png, at + 8);
      height = devtools_detail::BigEndian32(png, at + 12);
      // Bit depth 8, colour type 2 (RGB) or 6 (RGBA), interlace method 0.
      decodable = body[8] == 8 && (body[9] == 2 || body[9] == 6) && body[12] == 0;
      pixelBytes = body[9] == 6 ? 4 : 3;
    }
    if (type == "IDAT") data.insert(data.end(), body, body + length);
    at += 12 + length;
  }
  if (!decodable || width == 0 || height == 0 || width > 16384 || height > 16384) return {};
  const std::size_t rowBytes = width * pixelBytes;
  std::vector<unsigned char> rows(height * (rowBytes + 1));
  uLongf size = static_cast<uLongf>(rows.size());
  if (::uncompress(rows.data(), &size, data.data(), static_cast<uLong>(data.size())) != Z_OK ||
      size != rows.size() || !devtools_detail::Unfilter(rows, rowBytes, pixelBytes))
    return {};
  RgbPicture picture{static_cast<int>(width), static_cast<int>(height), {}};
  picture.rgb.reserve(width * height * 3);
  for (std::size_t row = 0; row < height; ++row) {
    const unsigned char* pixel = rows.data() + row * (rowBytes + 1) + 1;
    for (std::size_t column = 0; column < width; ++column, pixel += pixelBytes)
      picture.rgb.insert(picture.rgb.end(), pixel, pixel + 3);
  }
  return picture;
}

// The colour of a PNG picture's top left pixel, as 0xRRGGBB; -1 if it is not such a picture.
inline long OnePixelColour(const std::vector<unsigned char>& png) {
  const RgbPicture picture = DecodePng(png);
  return picture.width > 0 ? picture.ColourAt(0, 0) : -1;
}

}  // namespace swivex::testing
