#pragma once

#include <cstdint>
#include <vector>

namespace swivex::glowdrift {

struct Color {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// One soft light drifting across the picture. Positions are fractions of the picture's width and
// height, so the same field fills a wall of monitors or the control panel's little preview.
struct Glow {
  double x;
  double y;
  double velocityX;  // fractions of the width per second
  double velocityY;  // fractions of the height per second
  double radius;     // fraction of the picture's smaller side
  Color color;
  double breathSeconds;  // one slow swell and fade of its brightness
  double breathPhase;    // radians
};

struct FieldPoint {
  double x;
  double y;
};

// The animation: a few glows that wander slowly, bounce softly off the edges and breathe, and a
// caption position that wanders even more slowly so that no pixel stays lit for hours.
class GlowField {
 public:
  // A step longer than this (the machine was busy) is cut short, so that nothing ever jumps.
  static constexpr double kLongestStepSeconds = 0.25;

  GlowField();

  void Advance(double seconds);

  const std::vector<Glow>& Glows() const { return glows_; }
  // Between 0 and 1: how bright a glow is at this moment of its breath.
  double Strength(const Glow& glow) const;
  FieldPoint CaptionCenter() const;

 private:
  std::vector<Glow> glows_;
  double elapsedSeconds_ = 0;
};

}  // namespace swivex::glowdrift
