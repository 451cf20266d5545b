#pragma once

#include <windows.h>

#include "winsupport/GdiScopes.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift {

// An off-screen picture of a window's size: the frame is drawn here and copied to the window in
// one piece, so that it never flickers.
class BackBuffer {
 public:
  // The buffer's DC, with a bitmap of at least the given size that suits the reference DC.
  HDC Prepare(HDC reference, int width, int height);

 private:
  // Declared in this order so that the bitmap is deselected before it is deleted, and deleted
  // before its DC.
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  win::SelectedObject selection_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace swivex::glowdrift
