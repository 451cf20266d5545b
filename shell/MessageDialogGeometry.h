#pragma once

#include "forms/LayoutScaling.h"

namespace swivex {

// The message font's measure for dialog units: a horizontal unit is a quarter of its average
// character width, a vertical unit an eighth of its height.
struct DialogUnits {
  int averageCharWidth;
  int charHeight;
};

// Where the message dialog's text and its one button go, in client coordinates, and how large
// its client area is: the text at the top left within the margins, the button centred below it.
struct MessageDialogGeometry {
  Bounds text;
  Bounds button;
  int clientWidth;
  int clientHeight;
};

MessageDialogGeometry ArrangeMessageDialog(int textWidth, int textHeight, DialogUnits units);

}  // namespace swivex
