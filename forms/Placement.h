#pragma once

#include "winsupport/ScreenPlacement.h"

namespace swivex {

// Where an open-file dialog goes on `monitor`: centred across, and with its top one third of
// the way down the room that its height leaves.
win::ScreenPoint OpenDialogPosition(const win::ScreenArea& monitor, int width, int height);

}  // namespace swivex
