#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace swivex::glowdrift::testing {

// What a part of the screen shows, as 0x00RRGGBB pixels, rows from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  std::size_t DistinctColours() const;
  // How many pixels have every channel above the given levels.
  std::size_t PixelsBrighterThan(int red, int green, int blue) const;
  // How many pixels are within `tolerance` of the colour (0x00RRGGBB) in every channel.
  std::size_t PixelsNear(std::uint32_t colour, int tolerance) const;
  // The share of pixels (0..1) that differ from the other picture of the same size.
  double ShareOfChangedPixels(const Picture& other) const;
};

// Copies a rectangle of the screen (screen coordinates) through the desktop's DC.
Picture CaptureScreen(const RECT& area);

// Writes the picture as a 24-bit BMP file.
void SaveBitmap(const Picture& picture, const std::string& path);

}  // namespace swivex::glowdrift::testing
