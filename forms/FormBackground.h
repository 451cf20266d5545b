#pragma once

#include <windows.h>

#include "winsupport/WindowsHandles.h"

namespace swivex {

// The background of the program's forms: their own colour behind the controls, and the same
// colour behind the text of the controls that paint their own background.
class FormBackground {
 public:
  static constexpr COLORREF kColour = RGB(200, 228, 169);

  FormBackground() : brush_(::CreateSolidBrush(kColour)) {}

  HBRUSH Brush() const { return brush_.Get(); }
  // Fills the window's client area (WM_ERASEBKGND).
  void Paint(HWND window, HDC dc) const;
  // The answer to WM_CTLCOLORSTATIC and its kind: the text in `textColour` on the form's colour.
  LRESULT ColourControl(HDC dc, COLORREF textColour) const;

 private:
  win::UniqueBrush brush_;
};

}  // namespace swivex
