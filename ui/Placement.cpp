#include "ui/Placement.h"

namespace swivex {

ScreenPoint CentredIn(const ScreenArea& area, int width, int height) {
  return {area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2};
}

ScreenPoint OpenDialogPosition(const ScreenArea& monitor, int width, int height) {
  return {monitor.left + (monitor.Width() - width) / 2,
          monitor.top + (monitor.Height() - height) / 3};
}

}  // namespace swivex
