#include <gtest/gtest.h>

#include <cmath>

#include "screensaver-module/GlowField.h"

namespace swivex::glowdrift {
namespace {

double Distance(const Glow& a, const Glow& b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(GlowField, GlowsDriftSlowlyAndStayInThePictureForHours) {
  GlowField field;
  ASSERT_FALSE(field.Glows().empty());
  const double frame = 0.05;
  for (int second = 0; second < 3 * 3600; ++second) {
    const std::vector<Glow> before = field.Glows();
    for (int step = 0; step < 20; ++step) field.Advance(frame);
    for (std::size_t index = 0; index < before.size(); ++index) {
      const Glow& glow = field.Glows()[index];
      ASSERT_GE(glow.x, 0.0);
      ASSERT_LE(glow.x, 1.0);
      ASSERT_GE(glow.y, 0.0);
      ASSERT_LE(glow.y, 1.0);
      // Calm: no glow crosses more than a twentieth of the picture in a second.
      ASSERT_LT(Distance(glow, before[index]), 0.05) << "glow " << index << " at " << second;
      const double strength = field.Strength(glow);
      ASSERT_GT(strength, 0.0);
      ASSERT_LE(strength, 1.0);
    }
  }
}

TEST(GlowField, EveryGlowMoves) {
  GlowField field;
  const std::vector<Glow> start = field.Glows();
  for (int step = 0; step < 200; ++step) field.Advance(0.05);
  for (std::size_t index = 0; index < start.size(); ++index)
    EXPECT_GT(Distance(field.Glows()[index], start[index]), 0.01) << "glow " << index;
}

TEST(GlowField, ALateFrameDoesNotMakeTheGlowsJump) {
  GlowField stalled;
  stalled.Advance(30.0);  // the machine was busy for half a minute
  GlowField smooth;
  smooth.Advance(GlowField::kLongestStepSeconds);
  for (std::size_t index = 0; index < smooth.Glows().size(); ++index) {
    EXPECT_DOUBLE_EQ(stalled.Glows()[index].x, smooth.Glows()[index].x);
    EXPECT_DOUBLE_EQ(stalled.Glows()[index].y, smooth.Glows()[index].y);
  }
}

TEST(GlowField, TheCaptionWandersButStaysNearTheMiddle) {
  GlowField field;
  double lowestY = 1, highestY = 0;
  for (int step = 0; step < 20 * 600; ++step) {
    field.Advance(0.05);
    const FieldPoint center = field.CaptionCenter();
    ASSERT_GE(center.x, 0.3);
    ASSERT_LE(center.x, 0.7);
    ASSERT_GE(center.y, 0.3);
    ASSERT_LE(center.y, 0.7);
    lowestY = std::min(lowestY, center.y);
    highestY = std::max(highestY, center.y);
  }
  EXPECT_GT(highestY - lowestY, 0.2) << "the caption should not stay on the same pixels";
}

}  // namespace
}  // namespace swivex::glowdrift
