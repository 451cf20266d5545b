#pragma once

#include <windows.h>

#include "winsupport/ScreenPlacement.h"

namespace swivex::win {

// The primary monitor's area: "the screen".
ScreenArea PrimaryScreenArea();

// The area spanned by all monitors: "the desktop".
ScreenArea VirtualScreenArea();

// Moves the window, at its present size, so that it is centred on the screen.
void CentreOnScreen(HWND window);

}  // namespace swivex::win
