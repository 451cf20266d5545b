#include <gtest/gtest.h>

#include "shell/MessageDialogGeometry.h"

namespace swivex::testing {
namespace {

struct TextCase {
  int width;
  int height;
  DialogUnits units;
};

TEST(ArrangeMessageDialog, TextAboveACentredButtonWithinEqualMargins) {
  const TextCase cases[] = {
      {220, 13, {6, 13}},  // a short result message in an 8-point font
      {20, 13, {6, 13}},   // text narrower than the button
      {640, 65, {7, 16}},  // wrapped text in a larger font
      {1, 1, {9, 19}},
  };
  for (const TextCase& c : cases) {
    const MessageDialogGeometry g = ArrangeMessageDialog(c.width, c.height, c.units);
    SCOPED_TRACE(c.width);
    // The text is placed at its measured size, inside the client area.
    EXPECT_EQ(g.text.width, c.width);
    EXPECT_EQ(g.text.height, c.height);
    EXPECT_GT(g.text.left, 0);
    EXPECT_GT(g.text.top, 0);
    EXPECT_LE(g.text.left + g.text.width, g.clientWidth - g.text.left);
    // The button lies below the text, centred, with the same margin under it as above the text.
    EXPECT_GT(g.button.top, g.text.top + g.text.height);
    EXPECT_LE(std::abs(g.button.left - (g.clientWidth - g.button.left - g.button.width)), 1);
    EXPECT_EQ(g.clientHeight - (g.button.top + g.button.height), g.text.top);
    EXPECT_GE(g.button.left, g.text.left);
    // Button size in dialog units: 50 x 14.
    EXPECT_EQ(g.button.width, (50 * c.units.averageCharWidth + 2) / 4);
    EXPECT_EQ(g.button.height, (14 * c.units.charHeight + 4) / 8);
  }
}

TEST(ArrangeMessageDialog, WidthFollowsTheWiderOfTextAndButton) {
  const DialogUnits units{6, 13};
  const MessageDialogGeometry narrow = ArrangeMessageDialog(10, 13, units);
  const MessageDialogGeometry wide = ArrangeMessageDialog(400, 13, units);
  EXPECT_EQ(narrow.clientWidth, narrow.button.width + 2 * narrow.text.left);
  EXPECT_EQ(wide.clientWidth, 400 + 2 * wide.text.left);
  const MessageDialogGeometry tall = ArrangeMessageDialog(400, 52, units);
  EXPECT_EQ(tall.clientHeight - wide.clientHeight, 39);
}

}  // namespace
}  // namespace swivex::testing
