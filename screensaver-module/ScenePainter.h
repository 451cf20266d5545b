#pragma once

#include <windows.h>

#include <map>
#include <span>
#include <vector>

#include "pictures/BgraImage.h"
#include "screensaver-module/BackBuffer.h"
#include "screensaver-module/GlowField.h"
#include "screensaver-module/GlowSprite.h"
#include "screensaver-module/MovieCaption.h"
#include "screensaver-module/PictureDrift.h"
#include "screensaver-module/PictureSprite.h"

namespace swivex::glowdrift {

// Draws one frame of the animation into a rectangle of a DC: a dark night-blue background, the
// glows over it, the movie's pictures where the drift has put them and, when given, the caption
// about the installed movie on top.
class ScenePainter {
 public:
  explicit ScenePainter(const GlowField& field);

  // The movie's pictures, shrunk and premultiplied (ReadMoviePictures), in the drift's order.
  void ShowPictures(const std::vector<BgraImage>& pictures);

  void Paint(HDC target, const RECT& area, const GlowField& field,
             const MovieCaption* caption = nullptr,
             std::span<const PicturePlacement> placements = {});

 private:
  struct CaptionFonts {
    win::UniqueFont headline;
    win::UniqueFont note;
  };

  void PaintGlows(HDC target, const RECT& area, const GlowField& field) const;
  void PaintPictures(HDC target, const RECT& area,
                     std::span<const PicturePlacement> placements) const;
  void PaintCaption(HDC target, const RECT& area, FieldPoint center, const MovieCaption& caption);
  const CaptionFonts& FontsFor(int areaHeight);

  BackBuffer glowLayer_;             // the background and the glows, at a fraction of the size
  std::vector<GlowSprite> sprites_;  // one per glow of the field, in its order
  std::vector<PictureSprite> pictures_;
  std::map<int, CaptionFonts> fontsByHeight_;  // monitors of different heights get their own
};

}  // namespace swivex::glowdrift
