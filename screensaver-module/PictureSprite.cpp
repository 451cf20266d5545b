#include "screensaver-module/PictureSprite.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "winsupport/TopDownBitmap.h"

namespace swivex::glowdrift {

PictureSprite::PictureSprite(const BgraImage& premultiplied)
    : dc_(::CreateCompatibleDC(nullptr)), size_{premultiplied.width, premultiplied.height} {
  win::TopDownBitmap made =
      win::CreateTopDownBitmap(static_cast<int>(size_.width), static_cast<int>(size_.height));
  bitmap_ = std::move(made.bitmap);
  if (!dc_ || !bitmap_) throw std::runtime_error("Cannot create a picture of the movie.");
  std::memcpy(made.bits, premultiplied.pixels.data(),
              std::min(premultiplied.pixels.size(), std::size_t{size_.width} * size_.height * 4));
  ::GdiFlush();
  selection_ = win::SelectedObject(dc_.Get(), bitmap_.Get());
}

void PictureSprite::Draw(HDC target, const RECT& where, double opacity) const {
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = static_cast<BYTE>(std::clamp(opacity, 0.0, 1.0) * 255 + 0.5);
  blend.AlphaFormat = AC_SRC_ALPHA;
  if (blend.SourceConstantAlpha == 0) return;
  // GDI32's own blend, as in GlowSprite.
  ::GdiAlphaBlend(target, where.left, where.top, where.right - where.left, where.bottom - where.top,
                  dc_.Get(), 0, 0, static_cast<int>(size_.width), static_cast<int>(size_.height),
                  blend);
}

}  // namespace swivex::glowdrift
