#pragma once

#include <windows.h>

#include "tests/e2e/driver/UniqueResource.h"

namespace swivex::e2e {

using UniqueFont = UniqueResource<HFONT, [](HFONT font) { ::DeleteObject(font); }>;
using UniqueBitmap = UniqueResource<HBITMAP, [](HBITMAP bitmap) { ::DeleteObject(bitmap); }>;
using UniqueMemoryDc = UniqueResource<HDC, ::DeleteDC>;
// The screen's device context from GetDC(nullptr).
using ScreenDc = UniqueResource<HDC, [](HDC dc) { ::ReleaseDC(nullptr, dc); }>;

// An object selected into a device context until the selection goes out of scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { ::SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace swivex::e2e
