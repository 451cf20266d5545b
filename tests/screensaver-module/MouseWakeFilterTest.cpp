#include <gtest/gtest.h>

#include "screensaver-module/MouseWakeFilter.h"

namespace swivex::glowdrift {
namespace {

struct MoveCase {
  int x;
  int y;
  bool wakes;
};

TEST(MouseWakeFilter, OnlyMovesBeyondTheToleranceFromTheStartWake) {
  constexpr int kTolerance = MouseWakeFilter::kToleranceInPixels;
  const MoveCase cases[] = {
      {500, 400, false},               // where the pointer was
      {503, 398, false},               // jitter
      {500 + kTolerance, 400, false},  // right at the edge of the tolerance
      {500, 400 - kTolerance, false},
      {500 + kTolerance + 1, 400, true},  // just beyond it, either way, either axis
      {500 - kTolerance - 1, 400, true},
      {500, 400 + kTolerance + 1, true},
      {500, 400 - kTolerance - 1, true},
      {900, 100, true},
  };
  for (const MoveCase& move : cases) {
    SCOPED_TRACE(testing::Message() << "move to " << move.x << "," << move.y);
    MouseWakeFilter filter(500, 400);
    EXPECT_EQ(filter.IsRealMove(move.x, move.y), move.wakes);
  }
}

TEST(MouseWakeFilter, SmallMovesDoNotAddUp) {
  MouseWakeFilter filter(500, 400);
  for (int step = 1; step <= MouseWakeFilter::kToleranceInPixels; ++step)
    EXPECT_FALSE(filter.IsRealMove(500 + step, 400)) << step;
  EXPECT_FALSE(filter.IsRealMove(500, 400));
  EXPECT_TRUE(filter.IsRealMove(500 + MouseWakeFilter::kToleranceInPixels + 1, 400));
}

TEST(MouseWakeFilter, WithoutAStartTheFirstMoveBecomesTheStart) {
  MouseWakeFilter filter;
  EXPECT_FALSE(filter.IsRealMove(900, 700));
  EXPECT_FALSE(filter.IsRealMove(902, 701));
  EXPECT_TRUE(filter.IsRealMove(500, 400));
}

}  // namespace
}  // namespace swivex::glowdrift
