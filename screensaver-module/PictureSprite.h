#pragma once

#include <windows.h>

#include "pictures/BgraImage.h"
#include "swf/Picture.h"
#include "winsupport/GdiScopes.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift {

// One of the movie's pictures in a 32-bit DIB section with premultiplied alpha, stretched onto
// each frame with AlphaBlend, its own alpha respected and the whole faded by an opacity.
class PictureSprite {
 public:
  // `premultiplied` as ShrinkAndPremultiply gives it.
  explicit PictureSprite(const BgraImage& premultiplied);

  swf::PixelSize Size() const { return size_; }

  void Draw(HDC target, const RECT& where, double opacity) const;

 private:
  // Declared in this order so that the picture leaves its DC before either is deleted.
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  win::SelectedObject selection_;
  swf::PixelSize size_;
};

}  // namespace swivex::glowdrift
