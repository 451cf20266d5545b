#pragma once

#include <cstddef>
#include <vector>

#include "forms/Layout.h"

namespace swivex {

inline constexpr int kDesignPixelsPerInch = 96;
inline constexpr int kDesignTextHeight = 13;

// value * numerator / denominator rounded to the nearest whole number, halves away from zero
// (the rounding of Windows' MulDiv).
int MulDivRound(int value, int numerator, int denominator);

// The factor numerator / denominator by which a layout is scaled.
struct LayoutScale {
  int numerator = kDesignTextHeight;
  int denominator = kDesignTextHeight;

  int Apply(int value) const { return MulDivRound(value, numerator, denominator); }
  bool operator==(const LayoutScale&) const = default;
};

// A layout drawn for text 13 pixels high, shown in a font whose text is `textHeight` high.
LayoutScale ScaleForTextHeight(int textHeight);

// The window font's character height on a screen of `pixelsPerInch`.
int FontHeightForScreen(int designHeight, int pixelsPerInch);

// A control's own font keeps its proportion to the layout: its point size is scaled too.
int ScaledPointSize(int points, const LayoutScale& scale);

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

// Scales the edges rather than the sizes, so that controls that touch still touch: the width
// is the scaled right edge minus the scaled left edge.
Bounds ScaleBounds(const Bounds& bounds, const LayoutScale& scale);

// Every control's scaled bounds relative to the window's client area, in table order. A control
// inside a container lies at the container's scaled position plus its own scaled offset.
std::vector<Bounds> PlaceControls(const FormLayout& form, const LayoutScale& scale);

// Indices into form.controls in the order in which they are created, which is the order in
// which the keyboard visits them: the window's controls by tab order, each container followed
// at once by its own controls by tab order; controls without a tab stop come last within their
// parent, in table order.
std::vector<std::size_t> CreationOrder(const FormLayout& form);

}  // namespace swivex
