#pragma once

#include <cstdint>
#include <span>

namespace swivex {

// A window's layout as it was drawn: positions and sizes in pixels for 96 pixels per inch and a
// text height of 13 pixels. One function scales a layout to the screen and creates its controls.

enum class ControlKind {
  PushButton,
  GroupBox,  // a container: controls that name it as their container are placed inside it
  Label,     // sized to its text, unless the table gives it a width: then the table's size
  Edit,
  ProgressBar,  // the Common Controls bar
};

// A font given by its face and point size (bold or not).
struct FontLayout {
  const char* face;
  int points;
  bool bold = false;
};

inline constexpr int kNoTabStop = -1;

struct ControlLayout {
  ControlKind kind;
  const char* name;
  int id;
  // Relative to the window's client area, or to the container's outer edge (caption band
  // included) for a control inside a container.
  int left;
  int top;
  int width;
  int height;
  const char* caption;  // in Windows-1252, whatever the ANSI code page
  std::uint32_t style;  // added to the kind's own window style
  int tabOrder;         // within the control's parent; kNoTabStop for controls that take no focus
  const char* container = nullptr;   // the name of the group box it lies in, or none
  const FontLayout* font = nullptr;  // a font of its own, or none for the window's font
};

struct FormLayout {
  int clientWidth;
  int clientHeight;
  const char* fontFace;
  int fontHeight;  // pixels at 96 pixels per inch, negative: a character height
  std::span<const ControlLayout> controls;
};

}  // namespace swivex
