#pragma once

#include <span>

#include "forms/Layout.h"

namespace swivex {

inline constexpr char kAboutFormCaption[] = "AboutForm";
inline constexpr char kMakerHost[] = "www.swivex.example";
inline constexpr char kMakerAddress[] = "support@swivex.example";

// The About box's labels at 96 pixels per inch (a FormLayout, created by CreateControls).
const FormLayout& AboutFormLayout();

// Controls that the form draws itself, placed by the same scale as the labels.
enum class DrawnKind {
  Picture,  // the About picture at its own size from the top-left corner, not stretched
  Bevel,    // one engraved line along the top edge
};

struct DrawnControlLayout {
  DrawnKind kind;
  const char* name;
  int id;
  int left;
  int top;
  int width;
  int height;
};

std::span<const DrawnControlLayout> AboutDrawnControls();

}  // namespace swivex
