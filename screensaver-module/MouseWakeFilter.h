#pragma once

#include <optional>

namespace swivex::glowdrift {

// Tells a real mouse move from the noise that a running saver sees: the move message that
// arrives when its window appears, a pointer resting on a desk that jitters by a pixel, a move
// to where the pointer already is.
class MouseWakeFilter {
 public:
  // Moves of at most this many pixels from the start (in either direction) do not count.
  static constexpr int kToleranceInPixels = 8;

  struct Point {
    int x;
    int y;
  };

  // Without a known start position the first reported position becomes the start.
  MouseWakeFilter() = default;
  MouseWakeFilter(int startX, int startY);

  // True once the pointer has moved away from the start by more than the tolerance.
  bool IsRealMove(int x, int y);

 private:
  std::optional<Point> start_;
};

}  // namespace swivex::glowdrift
