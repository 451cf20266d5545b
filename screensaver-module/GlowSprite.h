#pragma once

#include <windows.h>

#include "screensaver-module/GlowField.h"
#include "winsupport/GdiScopes.h"
#include "winsupport/WindowsHandles.h"

namespace swivex::glowdrift {

// A round soft light of one colour, drawn once into a 32-bit picture with premultiplied alpha
// (bright and opaque in the middle, fading to nothing at the rim) and stretched onto each frame
// with AlphaBlend.
class GlowSprite {
 public:
  static constexpr int kSize = 256;

  explicit GlowSprite(Color color);

  // Draws the glow centred at (x, y) with the given radius; strength 0..1 scales its light.
  void Draw(HDC target, int x, int y, int radius, double strength) const;

 private:
  // Declared in this order so that the picture leaves its DC before either is deleted.
  win::UniqueMemoryDc dc_;
  win::UniqueBitmap bitmap_;
  win::SelectedObject selection_;
};

}  // namespace swivex::glowdrift
