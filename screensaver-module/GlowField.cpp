#include "screensaver-module/GlowField.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace swivex::glowdrift {

namespace {

// The glows at the start: deep, muted colours, slow speeds (a glow takes a minute or more to
// cross the picture), breaths of a quarter of a minute.
const Glow kStartingGlows[] = {
    // x     y     vx      vy      radius colour           breath phase
    {0.20, 0.30, 0.014, 0.009, 0.34, {40, 150, 170}, 19.0, 0.0},
    {0.75, 0.25, -0.011, 0.013, 0.30, {110, 70, 190}, 23.0, 1.3},
    {0.55, 0.70, 0.009, -0.012, 0.38, {40, 90, 190}, 27.0, 2.1},
    {0.15, 0.80, 0.012, -0.008, 0.26, {190, 120, 60}, 17.0, 4.0},
    {0.85, 0.65, -0.010, -0.010, 0.28, {170, 60, 110}, 21.0, 5.2},
    {0.45, 0.15, -0.008, 0.011, 0.24, {50, 150, 110}, 25.0, 3.3},
};

constexpr double kBaseStrength = 0.55;
constexpr double kBreathDepth = 0.25;

// Keeps a coordinate in [0, 1] by mirroring it at the edge it crossed and turning its velocity
// back inwards.
void Bounce(double& position, double& velocity) {
  if (position < 0) {
    position = -position;
    velocity = std::abs(velocity);
  } else if (position > 1) {
    position = 2 - position;
    velocity = -std::abs(velocity);
  }
  position = std::clamp(position, 0.0, 1.0);
}

double Wave(double seconds, double periodSeconds, double phase) {
  return std::sin(2 * std::numbers::pi * seconds / periodSeconds + phase);
}

}  // namespace

GlowField::GlowField() : glows_(std::begin(kStartingGlows), std::end(kStartingGlows)) {}

void GlowField::Advance(double seconds) {
  const double step = std::clamp(seconds, 0.0, kLongestStepSeconds);
  elapsedSeconds_ += step;
  for (Glow& glow : glows_) {
    glow.x += glow.velocityX * step;
    glow.y += glow.velocityY * step;
    Bounce(glow.x, glow.velocityX);
    Bounce(glow.y, glow.velocityY);
  }
}

double GlowField::Strength(const Glow& glow) const {
  return kBaseStrength + kBreathDepth * Wave(elapsedSeconds_, glow.breathSeconds, glow.breathPhase);
}

FieldPoint GlowField::CaptionCenter() const {
  return {0.5 + 0.06 * Wave(elapsedSeconds_, 97, 0), 0.5 + 0.15 * Wave(elapsedSeconds_, 61, 0)};
}

}  // namespace swivex::glowdrift
