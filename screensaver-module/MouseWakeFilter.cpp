#include "screensaver-module/MouseWakeFilter.h"

#include <cstdlib>

namespace swivex::glowdrift {

MouseWakeFilter::MouseWakeFilter(int startX, int startY) : start_(Point{startX, startY}) {}

bool MouseWakeFilter::IsRealMove(int x, int y) {
  if (!start_) {
    start_ = Point{x, y};
    return false;
  }
  return std::abs(x - start_->x) > kToleranceInPixels ||
         std::abs(y - start_->y) > kToleranceInPixels;
}

}  // namespace swivex::glowdrift
