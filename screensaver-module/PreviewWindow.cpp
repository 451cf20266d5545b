#include "screensaver-module/PreviewWindow.h"

#include <stdexcept>

namespace swivex::glowdrift {

namespace {

constexpr char kPreviewClass[] = "GlowdriftPreview";
constexpr UINT_PTR kFrameTimer = 1;

}  // namespace

PreviewWindow::PreviewWindow(HINSTANCE instance, HWND parent) : parent_(parent), painter_(field_) {
  RegisterClassOnce(instance, kPreviewClass, ::LoadCursorA(nullptr, IDC_ARROW));
  RECT area{};
  ::GetClientRect(parent, &area);
  // The parent belongs to another program: it is not told about the child, so that it never
  // waits on this process.
  ::CreateWindowExA(WS_EX_NOPARENTNOTIFY, kPreviewClass, "Glowdrift preview",
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, area.right, area.bottom, parent,
                    nullptr, instance, this);
  if (!handle_) throw std::runtime_error("Cannot create the screen saver's preview window.");
}

LRESULT PreviewWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
      return 1;
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return ::DefWindowProcA(handle_, message, wParam, lParam);
}

void PreviewWindow::OnCreate() {
  if (!::SetTimer(handle_, kFrameTimer, kFrameMilliseconds, nullptr))
    throw std::runtime_error("Cannot start the preview's animation timer.");
}

void PreviewWindow::OnTimer() {
  if (!::IsWindow(parent_)) {
    ::DestroyWindow(handle_);
    return;
  }
  field_.Advance(clock_.SecondsSinceLastTick());
  ::InvalidateRect(handle_, nullptr, FALSE);
}

void PreviewWindow::OnPaint() {
  PaintSession paint(handle_);
  RECT client{};
  ::GetClientRect(handle_, &client);
  HDC frame = backBuffer_.Prepare(paint.Dc(), client.right, client.bottom);
  painter_.Paint(frame, client, field_);
  ::BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, frame, 0, 0, SRCCOPY);
}

void PreviewWindow::OnDestroy() {
  ::KillTimer(handle_, kFrameTimer);
  ::PostQuitMessage(kExitDone);
}

}  // namespace swivex::glowdrift
