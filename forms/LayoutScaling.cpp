#include "forms/LayoutScaling.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace swivex {

int MulDivRound(int value, int numerator, int denominator) {
  const std::int64_t product = std::int64_t{value} * numerator;
  const std::int64_t half = std::llabs(denominator) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

LayoutScale ScaleForTextHeight(int textHeight) { return {textHeight, kDesignTextHeight}; }

int FontHeightForScreen(int designHeight, int pixelsPerInch) {
  return MulDivRound(designHeight, pixelsPerInch, kDesignPixelsPerInch);
}

int ScaledPointSize(int points, const LayoutScale& scale) { return scale.Apply(points); }

Bounds ScaleBounds(const Bounds& bounds, const LayoutScale& scale) {
  const int left = scale.Apply(bounds.left);
  const int top = scale.Apply(bounds.top);
  return {left, top, scale.Apply(bounds.left + bounds.width) - left,
          scale.Apply(bounds.top + bounds.height) - top};
}

namespace {

std::size_t IndexOf(const FormLayout& form, const char* name) {
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (std::string_view(form.controls[i].name) == name) return i;
  }
  return form.controls.size();
}

bool SameContainer(const ControlLayout& control, const char* container) {
  if (control.container == nullptr || container == nullptr) return control.container == container;
  return std::string_view(control.container) == container;
}

void AppendChildren(const FormLayout& form, const char* container,
                    std::vector<std::size_t>& order) {
  std::vector<std::size_t> children;
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (SameContainer(form.controls[i], container)) children.push_back(i);
  }
  std::stable_sort(children.begin(), children.end(), [&](std::size_t a, std::size_t b) {
    const int taba = form.controls[a].tabOrder;
    const int tabb = form.controls[b].tabOrder;
    if ((taba == kNoTabStop) != (tabb == kNoTabStop)) return tabb == kNoTabStop;
    return taba < tabb;
  });
  for (std::size_t child : children) {
    order.push_back(child);
    if (form.controls[child].kind == ControlKind::GroupBox) {
      AppendChildren(form, form.controls[child].name, order);
    }
  }
}

// A control's scaled bounds in the window's client area: its own scaled bounds moved by the
// scaled position of every container that it lies in.
Bounds PlaceControl(const FormLayout& form, const ControlLayout& control,
                    const LayoutScale& scale) {
  Bounds bounds = ScaleBounds({control.left, control.top, control.width, control.height}, scale);
  if (control.container == nullptr) return bounds;
  const std::size_t container = IndexOf(form, control.container);
  if (container == form.controls.size()) return bounds;
  const Bounds outer = PlaceControl(form, form.controls[container], scale);
  bounds.left += outer.left;
  bounds.top += outer.top;
  return bounds;
}

}  // namespace

std::vector<Bounds> PlaceControls(const FormLayout& form, const LayoutScale& scale) {
  std::vector<Bounds> placed;
  placed.reserve(form.controls.size());
  for (const ControlLayout& control : form.controls) {
    placed.push_back(PlaceControl(form, control, scale));
  }
  return placed;
}

std::vector<std::size_t> CreationOrder(const FormLayout& form) {
  std::vector<std::size_t> order;
  order.reserve(form.controls.size());
  AppendChildren(form, nullptr, order);
  return order;
}

}  // namespace swivex
