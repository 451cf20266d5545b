#pragma once

#include <windows.h>

#include <vector>

#include "forms/Layout.h"
#include "forms/LayoutScaling.h"
#include "winsupport/WindowsHandles.h"

namespace swivex {

// A form's font on this screen and the factor by which its layout is scaled: the font height is
// scaled by the screen's pixels per inch over 96, and the layout by the height of text in that
// font over 13.
struct FormScale {
  win::UniqueFont font;
  LayoutScale scale;
};

FormScale ScaleForm(const FormLayout& form);

// The form's client size on this screen.
SIZE ScaledClientSize(const FormLayout& form, const FormScale& scale);

// The fonts of their own that a form's controls were created with; they live as long as the
// controls do.
using ControlFonts = std::vector<win::UniqueFont>;

// Creates the form's controls as direct children of `parent`, scaled, in creation order
// (CreationOrder); a label is sized to its text. Containers lie beneath the controls placed on
// them.
ControlFonts CreateControls(HWND parent, const FormLayout& form, const FormScale& scale);

}  // namespace swivex
