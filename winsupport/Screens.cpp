#include "winsupport/Screens.h"

namespace swivex::win {

ScreenArea PrimaryScreenArea() {
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

ScreenArea VirtualScreenArea() {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void CentreOnScreen(HWND window) {
  RECT frame{};
  ::GetWindowRect(window, &frame);
  const ScreenPoint place =
      CentredIn(PrimaryScreenArea(), frame.right - frame.left, frame.bottom - frame.top);
  ::SetWindowPos(window, nullptr, place.x, place.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace swivex::win
