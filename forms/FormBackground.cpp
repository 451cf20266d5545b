#include "forms/FormBackground.h"

namespace swivex {

void FormBackground::Paint(HWND window, HDC dc) const {
  RECT client{};
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, brush_.Get());
}

LRESULT FormBackground::ColourControl(HDC dc, COLORREF textColour) const {
  ::SetTextColor(dc, textColour);
  ::SetBkColor(dc, kColour);
  return reinterpret_cast<LRESULT>(brush_.Get());
}

}  // namespace swivex
