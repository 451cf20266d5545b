#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "swf/PngDecoder.h"
#include "swf/SwfError.h"

// What the DevTools protocol answers, read the way the tests need it, on any system. Inline, so
// that every test program that drives a browser has it without a source file of its own.
namespace swivex::testing {

// A browser's screenshot, read with the program's own PNG reader.
struct RgbPicture {
  int width = 0;
  int height = 0;
  swf::RgbaImage image;

  // The pixel's colour as 0xRRGGBB.
  long ColourAt(int x, int y) const;
};

inline long RgbPicture::ColourAt(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                          static_cast<std::size_t>(x)) *
                         4;
  return static_cast<long>(image.pixels[at]) << 16 | static_cast<long>(image.pixels[at + 1]) << 8 |
         image.pixels[at + 2];
}

// The text of command `id`: `method` with `params` (a JSON object), sent to `session` unless
// that is empty (then to the browser).
inline std::string CommandText(int id, const std::string& method, const std::string& params,
                               const std::string& session) {
  std::string command =
      "{\"id\":" + std::to_string(id) + ",\"method\":\"" + method + "\",\"params\":" + params;
  if (!session.empty()) command += ",\"sessionId\":\"" + session + "\"";
  return command + "}";
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

// A PNG picture; a picture of no pixels if it is not one.
inline RgbPicture DecodePng(const std::vector<unsigned char>& png) {
  try {
    swf::RgbaImage image = swf::DecodePng(png, 0, "screenshot");
    return {static_cast<int>(image.width), static_cast<int>(image.height), std::move(image)};
  } catch (const swf::ESwfError&) {
    return {};
  }
}

// The colour of a PNG picture's top left pixel, as 0xRRGGBB; -1 if it is not such a picture.
inline long OnePixelColour(const std::vector<unsigned char>& png) {
  const RgbPicture picture = DecodePng(png);
  return picture.width > 0 ? picture.ColourAt(0, 0) : -1;
}

}  // namespace swivex::testing
