#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "screensaver-module/BackBuffer.h"
#include "screensaver-module/GlowField.h"
#include "screensaver-module/GlowSprite.h"
#include "screensaver-module/MovieCaption.h"

namespace swivex::glowdrift {

// Draws one frame of the animation into a rectangle of a DC: a dark night-blue background, the
// glows over it and, when given, the caption about the installed movie.
class ScenePainter {
 public:
  explicit ScenePainter(const GlowField& field);

  void Paint(HDC target, const RECT& area, const GlowField& field,
             const MovieCaption* caption = nullptr);

 private:
  struct CaptionFonts {
    win::UniqueFont headline;
    win::UniqueFont note;
  };

  void PaintGlows(HDC target, const RECT& area, const GlowField& field) const;
  void PaintCaption(HDC target, const RECT& area, FieldPoint center, const MovieCaption& caption);
  const CaptionFonts& FontsFor(int areaHeight);

  BackBuffer glowLayer_;             // the background and the glows, at a fraction of the size
  std::vector<GlowSprite> sprites_;  // one per glow of the field, in its order
  std::map<int, CaptionFonts> fontsByHeight_;  // monitors of different heights get their own
};

}  // namespace swivex::glowdrift
