#pragma once

#include <windows.h>

#include "winsupport/WindowsHandles.h"

namespace swivex::win {

// A picture of 32-bit pixels (blue, green, red, alpha) whose rows run from the top, as the
// programs keep decoded pictures and as GDI takes them.
inline BITMAPINFO TopDownBitmapInfo(int width, int height) noexcept {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A GDI bitmap of that kind whose pixels the program writes directly at `bits`; both empty if
// it cannot be made.
struct TopDownBitmap {
  UniqueBitmap bitmap;
  void* bits = nullptr;
};

inline TopDownBitmap CreateTopDownBitmap(int width, int height) noexcept {
  const BITMAPINFO info = TopDownBitmapInfo(width, height);
  TopDownBitmap made;
  made.bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &made.bits, nullptr, 0));
  if (!made.bitmap) made.bits = nullptr;
  return made;
}

}  // namespace swivex::win
