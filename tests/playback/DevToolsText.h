#pragma once

#include <string>
#include <vector>

namespace swivex::testing {

// What the DevTools protocol answers, read the way the tests need it, on any system.

// The value of the first string field `name` in a JSON text, without unescaping; empty if none.
std::string JsonString(const std::string& json, const std::string& name);

// The bytes that base64 text holds.
std::vector<unsigned char> FromBase64(const std::string& text);

// A picture as rows of 8-bit red, green and blue, top row first.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;

  // The pixel's colour as 0xRRGGBB.
  long ColourAt(int x, int y) const;
};

// A PNG picture of 8-bit RGB or RGBA, not interlaced (what a browser's screenshot is); a picture
// of no pixels if it is not one.
RgbPicture DecodePng(const std::vector<unsigned char>& png);

// The colour of a PNG picture's top left pixel, as 0xRRGGBB; -1 if it is not such a picture.
long OnePixelColour(const std::vector<unsigned char>& png);

}  // namespace swivex::testing
