#include "screensaver-module/BackBuffer.h"

#include <algorithm>
#include <stdexcept>

namespace swivex::glowdrift {

HDC BackBuffer::Prepare(HDC reference, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (dc_ && width <= width_ && height <= height_) return dc_.Get();
  selection_ = win::SelectedObject();
  bitmap_.Reset();
  dc_.Reset();
  win::UniqueMemoryDc dc(::CreateCompatibleDC(reference));
  win::UniqueBitmap bitmap(::CreateCompatibleBitmap(reference, width, height));
  if (!dc || !bitmap) throw std::runtime_error("Cannot create the off-screen picture.");
  selection_ = win::SelectedObject(dc.Get(), bitmap.Get());
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  width_ = width;
  height_ = height;
  return dc_.Get();
}

}  // namespace swivex::glowdrift
