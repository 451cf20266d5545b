#include "tests/screensaver-module/ScreenCapture.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <stdexcept>

#include "winsupport/GdiScopes.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift::testing {

namespace {

BITMAPINFO TopDownInfo(int width, int height, WORD bitCount) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitCount;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

template <class T>
void WriteRaw(std::ofstream& out, const T& value) {
  out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

std::size_t Picture::DistinctColours() const {
  return std::set<std::uint32_t>(pixels.begin(), pixels.end()).size();
}

std::size_t Picture::PixelsBrighterThan(int red, int green, int blue) const {
  std::size_t count = 0;
  for (std::uint32_t pixel : pixels)
    if (static_cast<int>((pixel >> 16) & 0xFF) > red &&
        static_cast<int>((pixel >> 8) & 0xFF) > green && static_cast<int>(pixel & 0xFF) > blue)
      ++count;
  return count;
}

std::size_t Picture::PixelsNear(std::uint32_t colour, int tolerance) const {
  std::size_t count = 0;
  for (std::uint32_t pixel : pixels) {
    bool within = true;
    for (int shift : {16, 8, 0})
      within = within && std::abs(static_cast<int>((pixel >> shift) & 0xFF) -
                                  static_cast<int>((colour >> shift) & 0xFF)) <= tolerance;
    count += within;
  }
  return count;
}

double Picture::ShareOfChangedPixels(const Picture& other) const {
  if (other.pixels.size() != pixels.size() || pixels.empty()) return 1.0;
  std::size_t changed = 0;
  for (std::size_t index = 0; index < pixels.size(); ++index)
    if (pixels[index] != other.pixels[index]) ++changed;
  return static_cast<double>(changed) / static_cast<double>(pixels.size());
}

Picture CaptureScreen(const RECT& area) {
  Picture picture;
  picture.width = area.right - area.left;
  picture.height = area.bottom - area.top;
  const win::WindowDc screen;
  win::UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
  BITMAPINFO info = TopDownInfo(picture.width, picture.height, 32);
  void* bits = nullptr;
  win::UniqueBitmap bitmap(
      ::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen.Get() || !memory || !bitmap || !bits)
    throw std::runtime_error("cannot prepare a screen capture");
  {
    win::SelectedObject selection(memory.Get(), bitmap.Get());
    if (!::BitBlt(memory.Get(), 0, 0, picture.width, picture.height, screen.Get(), area.left,
                  area.top, SRCCOPY))
      throw std::runtime_error("cannot copy the screen");
    ::GdiFlush();
  }
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(picture.width) * picture.height);
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
  return picture;
}

void SaveBitmap(const Picture& picture, const std::string& path) {
  const int rowBytes = (picture.width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes) * picture.height;
  BITMAPINFOHEADER header = TopDownInfo(picture.width, picture.height, 24).bmiHeader;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  WriteRaw(out, file);
  WriteRaw(out, header);
  std::vector<char> row(rowBytes, 0);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t pixel = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
      row[x * 3] = static_cast<char>(pixel & 0xFF);
      row[x * 3 + 1] = static_cast<char>((pixel >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
    out.write(row.data(), rowBytes);
  }
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace swivex::glowdrift::testing
