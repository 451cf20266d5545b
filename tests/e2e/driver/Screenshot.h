#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace swivex::e2e {

// What the screen showed in an area: rows from the bottom up, 3 bytes (blue, green, red) per
// pixel, each row padded to a multiple of 4 bytes, as BMP files store them.
struct ScreenImage {
  LONG width = 0;
  LONG height = 0;
  std::vector<unsigned char> pixels;

  DWORD Stride() const { return ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4; }
  COLORREF At(LONG x, LONG y) const;  // y counted from the top
};

// Copies the screen inside `area` (screen coordinates); throws DriverError if it cannot.
ScreenImage CaptureScreen(const RECT& area);

// Saves what the screen shows inside `area` as a 24-bit BMP file, once two captures 100 ms apart
// agree (windows paint after they appear); the test run turns it into a PNG afterwards. Throws
// DriverError if it cannot.
void SaveScreenshot(const RECT& area, const std::string& bmpPath);

}  // namespace swivex::e2e
