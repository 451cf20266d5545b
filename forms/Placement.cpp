#include "forms/Placement.h"

namespace swivex {

win::ScreenPoint OpenDialogPosition(const win::ScreenArea& monitor, int width, int height) {
  return {monitor.left + (monitor.Width() - width) / 2,
          monitor.top + (monitor.Height() - height) / 3};
}

}  // namespace swivex
