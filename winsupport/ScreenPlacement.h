#pragma once

namespace swivex::win {

// An area of the screen in screen coordinates; right and bottom lie just outside it.
struct ScreenArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// Where a window of the given size goes to be centred in `area` (the primary monitor for
// "centred on the screen", the area spanned by all monitors for "centred on the desktop"). A
// window larger than the area overhangs it equally on both sides.
ScreenPoint CentredIn(const ScreenArea& area, int width, int height);

}  // namespace swivex::win
