#pragma once

#include <windows.h>

namespace swivex::glowdrift {

// Measures the real time between animation frames, so that the drift keeps its pace when timer
// messages come late or bunch up.
class FrameClock {
 public:
  FrameClock() : last_(::GetTickCount64()) {}

  double SecondsSinceLastTick() {
    const ULONGLONG now = ::GetTickCount64();
    const double seconds = static_cast<double>(now - last_) / 1000.0;
    last_ = now;
    return seconds;
  }

 private:
  ULONGLONG last_;
};

// Twenty frames a second: smooth enough for shapes this slow, and light on the machine.
inline constexpr UINT kFrameMilliseconds = 50;

}  // namespace swivex::glowdrift
