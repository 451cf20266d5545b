#include "winsupport/ScreenPlacement.h"

namespace swivex::win {

ScreenPoint CentredIn(const ScreenArea& area, int width, int height) {
  return {area.left + (area.Width() - width) / 2, area.top + (area.Height() - height) / 2};
}

}  // namespace swivex::win
