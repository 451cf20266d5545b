#include <gtest/gtest.h>

#include "forms/Placement.h"

namespace swivex::testing {
namespace {

using win::CentredIn;
using win::ScreenArea;
using win::ScreenPoint;

struct PlacementCase {
  ScreenArea area;
  int width;
  int height;
  ScreenPoint centred;
  ScreenPoint openDialog;
};

TEST(Placement, CentresAcrossAndPutsOpenDialogsAThirdOfTheWayDown) {
  const PlacementCase cases[] = {
      // One 1280 x 1024 monitor: the main window and an open-file dialog.
      {{0, 0, 1280, 1024}, 487, 222, {396, 401}, {396, 267}},
      {{0, 0, 1280, 1024}, 600, 400, {340, 312}, {340, 208}},
      // A second monitor to the right of the first, and one above and left of it.
      {{1280, 0, 3200, 1080}, 600, 400, {1940, 340}, {1940, 226}},
      {{-1024, -768, 0, 0}, 600, 400, {-812, -584}, {-812, -646}},
      // A desktop spanned by both monitors of the second row.
      {{-1024, -768, 3200, 1080}, 487, 222, {844, 45}, {844, -226}},
      // Odd room left over: the extra pixel goes to the right and the bottom.
      {{0, 0, 101, 100}, 50, 50, {25, 25}, {25, 16}},
      // A window larger than the area overhangs it on both sides.
      {{0, 0, 800, 600}, 1000, 900, {-100, -150}, {-100, -100}},
  };
  for (const PlacementCase& c : cases) {
    EXPECT_EQ(CentredIn(c.area, c.width, c.height), c.centred) << c.area.left << "," << c.width;
    EXPECT_EQ(OpenDialogPosition(c.area, c.width, c.height), c.openDialog)
        << c.area.left << "," << c.width;
  }
}

}  // namespace
}  // namespace swivex::testing
