#include <gtest/gtest.h>

#include <cmath>

#include "screensaver-module/PictureDrift.h"

namespace swivex::glowdrift {
namespace {

void AdvanceBy(PictureDrift& drift, double seconds) {
  for (double done = 0; done + 1e-9 < seconds; done += 0.05) drift.Advance(0.05);
}

TEST(PictureDrift, OnePictureFadesInStaysAndFadesOut) {
  struct Moment {
    double seconds;  // since the start
    double opacity;
  };
  // Turns of 24 s with fades of 4 s; a lone picture has one lane and comes back at once.
  const Moment moments[] = {{0, 0},  {1, 0.25}, {2, 0.5},   {4, 1},  {12, 1},
                            {20, 1}, {22, 0.5}, {23, 0.25}, {24, 0}, {26, 0.5}};
  PictureDrift drift(1);
  double now = 0;
  for (const Moment& moment : moments) {
    AdvanceBy(drift, moment.seconds - now);
    now = moment.seconds;
    const std::vector<PicturePlacement> placements = drift.Placements();
    ASSERT_EQ(placements.size(), 1u) << moment.seconds;
    EXPECT_EQ(placements[0].picture, 0u);
    EXPECT_NEAR(placements[0].opacity, moment.opacity, 1e-6) << moment.seconds;
  }
}

bool Holds(const std::vector<PicturePlacement>& placements, std::size_t picture) {
  for (const PicturePlacement& placement : placements)
    if (placement.picture == picture) return true;
  return false;
}

TEST(PictureDrift, PicturesTakeTurnsLargestFirstSlowlyAndNeverTwiceAtOnce) {
  PictureDrift drift(5);
  std::vector<std::size_t> appeared;
  std::vector<PicturePlacement> before;
  for (int step = 0; step < 20 * 24 * 6; ++step) {  // six turns
    drift.Advance(0.05);
    const std::vector<PicturePlacement> now = drift.Placements();
    ASSERT_LE(now.size(), 2u);
    if (now.size() == 2) {
      ASSERT_NE(now[0].picture, now[1].picture) << step;
    }
    for (const PicturePlacement& placement : now) {
      ASSERT_GE(placement.x, 0.2);
      ASSERT_LE(placement.x, 0.8);
      ASSERT_GE(placement.y, 0.2);
      ASSERT_LE(placement.y, 0.8);
      if (!Holds(before, placement.picture)) appeared.push_back(placement.picture);
      for (const PicturePlacement& earlier : before) {
        // Calm: a picture moves a hundredth of the area in a second at most.
        if (earlier.picture == placement.picture) {
          ASSERT_LT(std::hypot(placement.x - earlier.x, placement.y - earlier.y), 0.01 / 20)
              << step;
        }
      }
    }
    before = now;
  }
  EXPECT_EQ(appeared, (std::vector<std::size_t>{0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1}));
}

TEST(PictureDrift, NoPicturesNothingToPlaceAndALateFrameDoesNotJump) {
  PictureDrift none;
  AdvanceBy(none, 30);
  EXPECT_TRUE(none.Placements().empty());

  PictureDrift stalled(1);
  stalled.Advance(30);
  PictureDrift smooth(1);
  smooth.Advance(PictureDrift::kLongestStepSeconds);
  ASSERT_EQ(stalled.Placements().size(), 1u);
  EXPECT_DOUBLE_EQ(stalled.Placements()[0].opacity, smooth.Placements()[0].opacity);
  EXPECT_DOUBLE_EQ(stalled.Placements()[0].x, smooth.Placements()[0].x);
}

}  // namespace
}  // namespace swivex::glowdrift
