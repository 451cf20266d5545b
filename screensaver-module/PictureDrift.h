#pragma once

#include <cstddef>
#include <vector>

namespace swivex::glowdrift {

// Where a picture is drawn at a moment: its centre in fractions of the area's width and height,
// and how opaque it is (0 to 1).
struct PicturePlacement {
  std::size_t picture;
  double x;
  double y;
  double opacity;
};

// The pictures' slow show: in two lanes, half a turn apart, one picture at a time fades in,
// drifts a little way while it stays, and fades out as the next one of the lane fades in
// somewhere else. The lanes take the pictures in turn, in their order (the largest first), and
// start over when all were shown. The left lane keeps to the left half of the area, the right
// lane to the right half, so that two pictures seldom cover each other.
class PictureDrift {
 public:
  static constexpr double kTurnSeconds = 24;
  static constexpr double kFadeSeconds = 4;
  // How far a picture drifts during its turn, in fractions of the area.
  static constexpr double kDriftDistance = 0.12;
  // As GlowField: a step longer than this (the machine was busy) is cut short.
  static constexpr double kLongestStepSeconds = 0.25;

  explicit PictureDrift(std::size_t pictureCount = 0) : pictureCount_(pictureCount) {}

  void Advance(double seconds);

  // The pictures to draw now, the fading ones included; none while there are no pictures.
  std::vector<PicturePlacement> Placements() const;

 private:
  std::size_t pictureCount_;
  double elapsedSeconds_ = 0;
};

}  // namespace swivex::glowdrift
