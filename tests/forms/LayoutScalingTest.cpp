#include <gtest/gtest.h>

#include <string_view>

#include "forms/LayoutScaling.h"

namespace swivex::testing {
namespace {

TEST(MulDivRound, RoundsToNearestWithHalvesAwayFromZero) {
  struct Case {
    int value, numerator, denominator, expected;
  };
  const Case cases[] = {
      {18, 13, 13, 18},    {18, 16, 13, 22},   {13, 16, 13, 16}, {-11, 144, 96, -17},
      {-11, 120, 96, -14}, {11, 144, 96, 17},  {1, 1, 2, 1},     {-1, 1, 2, -1},
      {3, 1, 2, 2},        {5, 1, 4, 1},       {0, 7, 3, 0},     {7, -1, 2, -4},
      {471, 20, 13, 725},  {157, 20, 13, 242},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MulDivRound(c.value, c.numerator, c.denominator), c.expected)
        << c.value << " * " << c.numerator << " / " << c.denominator;
  }
  EXPECT_EQ(MulDivRound(100000, 30000, 1000000), 3000);  // 3e9 does not fit in 32 bits
}

TEST(FontHeightForScreen, ScalesTheCharacterHeightByPixelsPerInch) {
  EXPECT_EQ(FontHeightForScreen(-11, 96), -11);
  EXPECT_EQ(FontHeightForScreen(-11, 120), -14);  // -13.75
  EXPECT_EQ(FontHeightForScreen(-11, 144), -17);  // -16.5, away from zero
  EXPECT_EQ(FontHeightForScreen(-11, 192), -22);
  EXPECT_EQ(FontHeightForScreen(-11, 72), -8);  // -8.25
}

TEST(ScaleBounds, ScalesEdgesSoThatNeighboursStillTouch) {
  const LayoutScale same = ScaleForTextHeight(13);
  EXPECT_EQ(ScaleBounds({18, 20, 128, 25}, same), (Bounds{18, 20, 128, 25}));

  const LayoutScale larger = ScaleForTextHeight(16);  // r = 16/13
  // left 18 -> 22.15 -> 22; right 146 -> 179.7 -> 180; top 20 -> 24.6 -> 25; bottom 45 -> 55.4
  EXPECT_EQ(ScaleBounds({18, 20, 128, 25}, larger), (Bounds{22, 25, 158, 30}));
  // Two boxes that share an edge keep sharing it, whatever rounding does to each size.
  for (int height : {10, 14, 16, 17, 20, 23, 29}) {
    const LayoutScale scale = ScaleForTextHeight(height);
    for (int left = 0; left < 60; ++left) {
      const Bounds first = ScaleBounds({left, 0, 7, 5}, scale);
      const Bounds second = ScaleBounds({left + 7, 5, 9, 5}, scale);
      EXPECT_EQ(first.left + first.width, second.left) << height << " " << left;
      EXPECT_EQ(first.top + first.height, second.top) << height << " " << left;
    }
  }
}

TEST(ScaledPointSize, ScalesOwnFontsByTheSameFactor) {
  EXPECT_EQ(ScaledPointSize(14, ScaleForTextHeight(13)), 14);
  EXPECT_EQ(ScaledPointSize(14, ScaleForTextHeight(16)), 17);  // 17.23
  EXPECT_EQ(ScaledPointSize(14, ScaleForTextHeight(20)), 22);  // 21.54
}

// A layout in the shape of the main window: buttons, a group box and controls inside it.
constexpr ControlLayout kControls[] = {
    {ControlKind::PushButton, "Button1", 101, 18, 20, 128, 25, "One", 0, 0},
    {ControlKind::PushButton, "Button2", 102, 160, 20, 129, 25, "Two", 0, 1},
    {ControlKind::Label, "Label1", 105, 10, 22, 0, 0, "Label", 0, kNoTabStop, "GroupBox1"},
    {ControlKind::Edit, "Edit2", 108, 68, 47, 325, 19, "", 0, 1, "GroupBox1"},
    {ControlKind::GroupBox, "GroupBox1", 104, 18, 59, 438, 79, "Group", 0, 3},
    {ControlKind::Edit, "Edit1", 107, 68, 19, 325, 19, "", 0, 0, "GroupBox1"},
    {ControlKind::PushButton, "Button3", 103, 302, 20, 153, 25, "Three", 0, 2},
    {ControlKind::PushButton, "Button4", 109, 399, 44, 29, 25, "Go", 0, 2, "GroupBox1"},
};
constexpr FormLayout kForm{471, 157, "MS Sans Serif", -11, kControls};

TEST(PlaceControls, PutsControlsOfAGroupAtTheGroupsPositionPlusTheirOffset) {
  const std::vector<Bounds> placed = PlaceControls(kForm, ScaleForTextHeight(13));
  ASSERT_EQ(placed.size(), std::size(kControls));
  EXPECT_EQ(placed[0], (Bounds{18, 20, 128, 25}));
  EXPECT_EQ(placed[4], (Bounds{18, 59, 438, 79}));
  EXPECT_EQ(placed[5], (Bounds{86, 78, 325, 19}));   // Edit1: 18 + 68, 59 + 19
  EXPECT_EQ(placed[3], (Bounds{86, 106, 325, 19}));  // Edit2
  EXPECT_EQ(placed[7], (Bounds{417, 103, 29, 25}));  // Button4
  EXPECT_EQ(placed[2].left, 28);                     // Label1
  EXPECT_EQ(placed[2].top, 81);
}

TEST(PlaceControls, ScalesAGroupsControlsRelativeToTheGroup) {
  const LayoutScale scale = ScaleForTextHeight(16);
  const std::vector<Bounds> placed = PlaceControls(kForm, scale);
  const Bounds group = ScaleBounds({18, 59, 438, 79}, scale);
  const Bounds edit1 = ScaleBounds({68, 19, 325, 19}, scale);
  EXPECT_EQ(placed[4], group);
  EXPECT_EQ(placed[5],
            (Bounds{group.left + edit1.left, group.top + edit1.top, edit1.width, edit1.height}));
  EXPECT_EQ(placed[5], (Bounds{22 + 84, 73 + 23, 400, 24}));
}

TEST(CreationOrder, FollowsTabOrderWithEachGroupsControlsAfterTheGroup) {
  std::vector<std::string_view> names;
  for (std::size_t index : CreationOrder(kForm)) names.push_back(kControls[index].name);
  EXPECT_EQ(names, (std::vector<std::string_view>{"Button1", "Button2", "Button3", "GroupBox1",
                                                  "Edit1", "Edit2", "Button4", "Label1"}));
}

}  // namespace
}  // namespace swivex::testing
