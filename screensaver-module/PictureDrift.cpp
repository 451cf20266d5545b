#include "screensaver-module/PictureDrift.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace swivex::glowdrift {

namespace {

constexpr std::size_t kLanes = 2;

// Three fractions in [0, 1) that look random and are the same for the same turn of a lane, so
// that every turn starts somewhere else (splitmix64).
double Scatter(std::uint64_t seed, int which) {
  std::uint64_t z = seed * 3 + static_cast<std::uint64_t>(which) + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) / 9007199254740992.0;  // 2^53
}

// Fades in over kFadeSeconds, stays, fades out over the last kFadeSeconds of the turn.
double Opacity(double age) {
  const double in = age / PictureDrift::kFadeSeconds;
  const double out = (PictureDrift::kTurnSeconds - age) / PictureDrift::kFadeSeconds;
  return std::clamp(std::min(in, out), 0.0, 1.0);
}

PicturePlacement Place(std::size_t lane, std::uint64_t turn, double age, std::size_t picture) {
  const std::uint64_t seed = turn * kLanes + lane;
  // Starts within the lane's half, a little in from the edges, and drifts in any direction;
  // the whole path stays between 0.2 and 0.8 of the area.
  const double startX = 0.26 + 0.5 * static_cast<double>(lane) + 0.18 * Scatter(seed, 0);
  const double startY = 0.26 + 0.48 * Scatter(seed, 1);
  const double angle = 2 * std::numbers::pi * Scatter(seed, 2);
  const double travelled = PictureDrift::kDriftDistance * age / PictureDrift::kTurnSeconds;
  const double x = std::clamp(startX + std::cos(angle) * travelled, 0.2, 0.8);
  const double y = std::clamp(startY + std::sin(angle) * travelled, 0.2, 0.8);
  return {picture, x, y, Opacity(age)};
}

}  // namespace

void PictureDrift::Advance(double seconds) {
  elapsedSeconds_ += std::clamp(seconds, 0.0, kLongestStepSeconds);
}

std::vector<PicturePlacement> PictureDrift::Placements() const {
  std::vector<PicturePlacement> placements;
  // One picture is shown in one lane: the same picture twice at once would look like a fault.
  const std::size_t lanes = std::min(kLanes, pictureCount_);
  for (std::size_t lane = 0; lane < lanes; ++lane) {
    // Lane 1 starts half a turn late, so that a picture is always in full view.
    const double laneSeconds = elapsedSeconds_ - static_cast<double>(lane) * kTurnSeconds / 2;
    if (laneSeconds < 0) continue;
    const auto turn = static_cast<std::uint64_t>(laneSeconds / kTurnSeconds);
    const double age = laneSeconds - static_cast<double>(turn) * kTurnSeconds;
    const std::size_t picture = static_cast<std::size_t>((turn * lanes + lane) % pictureCount_);
    placements.push_back(Place(lane, turn, age, picture));
  }
  return placements;
}

}  // namespace swivex::glowdrift
