#include "screensaver-module/SaverWindow.h"

#include <stdexcept>

#include "winsupport/Screens.h"

namespace swivex::glowdrift {

namespace {

constexpr char kSaverClass[] = "GlowdriftSaver";
constexpr UINT_PTR kFrameTimer = 1;

RECT VirtualScreen() {
  const win::ScreenArea area = win::VirtualScreenArea();
  return {area.left, area.top, area.right, area.bottom};
}

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, RECT* bounds, LPARAM monitors) noexcept {
  try {
    reinterpret_cast<std::vector<RECT>*>(monitors)->push_back(*bounds);
    return TRUE;
  } catch (...) {
    return FALSE;  // out of memory: the monitors found so far will do
  }
}

// Every monitor's rectangle relative to the virtual screen's corner; the whole virtual screen if
// the system names none.
std::vector<RECT> MonitorsWithin(const RECT& virtualScreen) {
  std::vector<RECT> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back(virtualScreen);
  for (RECT& monitor : monitors) ::OffsetRect(&monitor, -virtualScreen.left, -virtualScreen.top);
  return monitors;
}

MouseWakeFilter FilterFromCursor() {
  POINT cursor{};
  if (::GetCursorPos(&cursor)) return MouseWakeFilter(cursor.x, cursor.y);
  return MouseWakeFilter();
}

}  // namespace

SaverWindow::SaverWindow(HINSTANCE instance, MovieCaption caption, MovieOpener movie)
    : caption_(std::move(caption)),
      virtualScreen_(VirtualScreen()),
      monitors_(MonitorsWithin(virtualScreen_)),
      painter_(field_),
      wake_(FilterFromCursor()),
      pictures_(std::move(movie)) {
  RegisterWindowClass(instance, kSaverClass, nullptr);
  // The title carries the caption for screen readers and for anyone who lists windows.
  const std::string title = caption_.headline + " " + caption_.note;
  ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSaverClass, title.c_str(),
                    WS_POPUP | WS_VISIBLE, virtualScreen_.left, virtualScreen_.top,
                    virtualScreen_.right - virtualScreen_.left,
                    virtualScreen_.bottom - virtualScreen_.top, nullptr, nullptr, instance, this);
  if (!Handle()) throw std::runtime_error("Cannot create the screen saver's window.");
  ::SetForegroundWindow(Handle());
}

LRESULT SaverWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_TIMER:
      OnTimer();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the frame covers everything
    case WM_SETCURSOR:
      ::SetCursor(nullptr);  // no pointer over the picture
      return TRUE;
    case WM_MOUSEMOVE:
      OnMouseMove(lParam);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN:
      ::PostMessageA(Handle(), WM_CLOSE, 0, 0);
      return 0;
    case WM_ACTIVATEAPP:
      OnActivateApp(wParam != FALSE);
      return 0;
    case WM_SYSCOMMAND:
      // The system asks a running saver to start the saver again: it is already running.
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return ::DefWindowProcA(Handle(), message, wParam, lParam);
}

void SaverWindow::OnCreate() {
  if (!::SetTimer(Handle(), kFrameTimer, kFrameMilliseconds, nullptr))
    throw std::runtime_error("Cannot start the screen saver's animation timer.");
}

void SaverWindow::OnTimer() {
  ShowArrivedPictures();
  const double seconds = clock_.SecondsSinceLastTick();
  field_.Advance(seconds);
  drift_.Advance(seconds);
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void SaverWindow::ShowArrivedPictures() {
  if (auto arrived = pictures_.Take()) {
    painter_.ShowPictures(*arrived);
    drift_ = PictureDrift(arrived->size());
  }
}

void SaverWindow::OnPaint() {
  win::PaintSession paint(Handle());
  RECT client{};
  ::GetClientRect(Handle(), &client);
  HDC frame = backBuffer_.Prepare(paint.Get(), client.right, client.bottom);
  ::FillRect(frame, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  const std::vector<PicturePlacement> placements = drift_.Placements();
  for (const RECT& monitor : monitors_)
    painter_.Paint(frame, monitor, field_, &caption_, placements);
  ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, frame, 0, 0, SRCCOPY);
}

void SaverWindow::OnMouseMove(LPARAM position) {
  // The window's client corner is the virtual screen's corner.
  const int x = virtualScreen_.left + static_cast<short>(LOWORD(position));
  const int y = virtualScreen_.top + static_cast<short>(HIWORD(position));
  if (wake_.IsRealMove(x, y)) ::PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void SaverWindow::OnActivateApp(bool active) {
  // Another program took the keyboard; keys would no longer reach the saver, so it steps aside.
  if (!active) ::PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void SaverWindow::OnDestroy() {
  ::KillTimer(Handle(), kFrameTimer);
  ::PostQuitMessage(kExitDone);
}

}  // namespace swivex::glowdrift
