#include "shell/MessageDialogGeometry.h"

#include <algorithm>

namespace swivex {

namespace {

// Margins, spacing and button size in dialog units.
constexpr int kMargin = 8;
constexpr int kTextToButton = 10;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

int Across(int units, DialogUnits font) { return MulDivRound(units, font.averageCharWidth, 4); }
int Down(int units, DialogUnits font) { return MulDivRound(units, font.charHeight, 8); }

}  // namespace

MessageDialogGeometry ArrangeMessageDialog(int textWidth, int textHeight, DialogUnits units) {
  const int sideMargin = Across(kMargin, units);
  const int topMargin = Down(kMargin, units);
  const int buttonWidth = Across(kButtonWidth, units);
  const int buttonHeight = Down(kButtonHeight, units);

  MessageDialogGeometry geometry{};
  geometry.clientWidth = std::max(textWidth, buttonWidth) + 2 * sideMargin;
  geometry.text = {sideMargin, topMargin, textWidth, textHeight};
  geometry.button = {(geometry.clientWidth - buttonWidth) / 2,
                     topMargin + textHeight + Down(kTextToButton, units), buttonWidth,
                     buttonHeight};
  geometry.clientHeight = geometry.button.top + buttonHeight + topMargin;
  return geometry;
}

}  // namespace swivex
