#include "screensaver-module/GlowSprite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "winsupport/TopDownBitmap.h"

namespace swivex::glowdrift {

namespace {

// Light at a distance from the centre (0 at the centre, 1 at the rim): a smooth bell with no
// visible edge.
double Falloff(double distance) {
  const double inside = std::max(0.0, 1.0 - distance * distance);
  return inside * inside * inside;
}

std::uint32_t PremultipliedPixel(Color color, double alpha) {
  const auto scale = [alpha](std::uint8_t channel) {
    return static_cast<std::uint32_t>(channel * alpha + 0.5);
  };
  const auto opacity = static_cast<std::uint32_t>(255 * alpha + 0.5);
  return opacity << 24 | scale(color.red) << 16 | scale(color.green) << 8 | scale(color.blue);
}

void FillGlow(std::uint32_t* pixels, Color color) {
  const double half = GlowSprite::kSize / 2.0;
  for (int row = 0; row < GlowSprite::kSize; ++row) {
    for (int column = 0; column < GlowSprite::kSize; ++column) {
      const double dx = (column + 0.5 - half) / half;
      const double dy = (row + 0.5 - half) / half;
      const double distance = std::min(1.0, std::sqrt(dx * dx + dy * dy));
      pixels[row * GlowSprite::kSize + column] = PremultipliedPixel(color, Falloff(distance));
    }
  }
}

}  // namespace

GlowSprite::GlowSprite(Color color) : dc_(::CreateCompatibleDC(nullptr)) {
  win::TopDownBitmap made = win::CreateTopDownBitmap(kSize, kSize);
  bitmap_ = std::move(made.bitmap);
  if (!dc_ || !bitmap_) throw std::runtime_error("Cannot create the glow picture.");
  FillGlow(static_cast<std::uint32_t*>(made.bits), color);
  ::GdiFlush();
  selection_ = win::SelectedObject(dc_.Get(), bitmap_.Get());
}

void GlowSprite::Draw(HDC target, int x, int y, int radius, double strength) const {
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = static_cast<BYTE>(std::clamp(strength, 0.0, 1.0) * 255 + 0.5);
  blend.AlphaFormat = AC_SRC_ALPHA;
  // GDI32's own blend (a KnownDLL), which msimg32.dll's AlphaBlend only forwards to: importing
  // msimg32.dll would let a file of that name beside the module be loaded in its place.
  ::GdiAlphaBlend(target, x - radius, y - radius, 2 * radius, 2 * radius, dc_.Get(), 0, 0, kSize,
                  kSize, blend);
}

}  // namespace swivex::glowdrift
