#include "tests/e2e/driver/Screenshot.h"

#include <cstring>
#include <fstream>
#include <thread>
#include <utility>

#include "tests/e2e/driver/Wait.h"
#include "winsupport/GdiScopes.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::e2e {

namespace {

// A drawing reaches the screen when Wine next copies the window's surface to it; two captures
// this far apart that agree show that nothing is still on its way.
constexpr std::chrono::milliseconds kPaintInterval{100};

BITMAPINFOHEADER BitmapHeader(LONG width, LONG height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  return header;
}

}  // namespace

COLORREF ScreenImage::At(LONG x, LONG y) const {
  const unsigned char* pixel = &pixels[(height - 1 - y) * Stride() + x * 3];
  return RGB(pixel[2], pixel[1], pixel[0]);
}

ScreenImage CaptureScreen(const RECT& area) {
  ScreenImage image{area.right - area.left, area.bottom - area.top, {}};
  if (image.width <= 0 || image.height <= 0) throw DriverError("cannot capture an empty area");
  const win::WindowDc screen;
  const win::UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
  BITMAPINFO info{};
  info.bmiHeader = BitmapHeader(image.width, image.height);
  void* pixels = nullptr;
  const win::UniqueBitmap bitmap(
      ::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!memory || !bitmap) throw DriverError("cannot make a bitmap to capture the screen");
  {
    const win::SelectedObject selected(memory.Get(), bitmap.Get());
    if (!::BitBlt(memory.Get(), 0, 0, image.width, image.height, screen.Get(), area.left, area.top,
                  SRCCOPY))
      throw DriverError("cannot copy the screen");
  }
  ::GdiFlush();
  image.pixels.resize(image.Stride() * static_cast<DWORD>(image.height));
  std::memcpy(image.pixels.data(), pixels, image.pixels.size());
  return image;
}

void SaveScreenshot(const RECT& area, const std::string& bmpPath) {
  ScreenImage image = CaptureScreen(area);
  WaitUntil(
      [&] {
        std::this_thread::sleep_for(kPaintInterval);
        ScreenImage next = CaptureScreen(area);
        const bool settled = next.pixels == image.pixels;
        image = std::move(next);
        return settled;
      },
      "the screen to settle for " + bmpPath);
  const BITMAPINFOHEADER header = BitmapHeader(image.width, image.height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(image.pixels.size());
  std::ofstream out(bmpPath, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(reinterpret_cast<const char*>(image.pixels.data()),
            static_cast<std::streamsize>(image.pixels.size()));
  if (!out) throw DriverError("cannot write the screenshot " + bmpPath);
}

}  // namespace swivex::e2e
