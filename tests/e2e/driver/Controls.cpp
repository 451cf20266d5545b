#include "tests/e2e/driver/Controls.h"

#include "tests/e2e/driver/WindowList.h"

namespace swivex::e2e {

HWND ControlById(HWND parent, int id) {
  HWND control = ::GetDlgItem(parent, id);
  if (!control)
    throw DriverError("no control with ID " + std::to_string(id) + " in \"" + TextOf(parent) +
                      "\"\n" + DescribeWindows());
  return control;
}

void Click(HWND button) { ::PostMessageA(button, BM_CLICK, 0, 0); }

void PostCommand(HWND window, int id) { ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void PostClose(HWND window) { ::PostMessageA(window, WM_CLOSE, 0, 0); }

bool IsEnabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

RECT RectInClient(HWND control, HWND window) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  ::GetClientRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT WindowRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

void WaitUntilHandled(HWND window, Timeout timeout) {
  // A posted message queued behind the earlier ones, answered when the thread reaches it.
  DWORD_PTR ignored = 0;
  const auto answered = ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL,
                                              static_cast<UINT>(timeout.count()), &ignored);
  if (!answered) FailWait("\"" + TextOf(window) + "\" to handle its messages");
}

}  // namespace swivex::e2e
