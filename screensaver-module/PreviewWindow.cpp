#include "screensaver-module/PreviewWindow.h"

#include <stdexcept>

namespace swivex::glowdrift {

namespace {

constexpr char kPreviewClass[] = "GlowdriftPreview";
constexpr UINT_PTR kFrameTimer = 1;

}  // namespace

PreviewWindow::PreviewWindow(HINSTANCE instance, HWND parent, MovieOpener movie)
    : parent_(parent), painter_(field_), pictures_(std::move(movie)) {
  RegisterWindowClass(instance, kPreviewClass, ::LoadCursorA(nullptr, IDC_ARROW));
  RECT area{};
  ::GetClientRect(parent, &area);
  // The parent belongs to another program: it is not told about the child, so that it never
  // waits on this process.
  ::CreateWindowExA(WS_EX_NOPARENTNOTIFY, kPreviewClass, "Glowdrift preview",
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, area.right, area.bottom, parent,
                    nullptr, instance, this);
  if (!Handle()) throw std::runtime_error("Cannot create the screen saver's preview window.");
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
  return ::DefWindowProcA(Handle(), message, wParam, lParam);
}

void PreviewWindow::OnCreate() {
  if (!::SetTimer(Handle(), kFrameTimer, kFrameMilliseconds, nullptr))
    throw std::runtime_error("Cannot start the preview's animation timer.");
}

void PreviewWindow::OnTimer() {
  if (!::IsWindow(parent_)) {
    ::DestroyWindow(Handle());
    return;
  }
  ShowArrivedPictures();
  const double seconds = clock_.SecondsSinceLastTick();
  field_.Advance(seconds);
  drift_.Advance(seconds);
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void PreviewWindow::ShowArrivedPictures() {
  if (auto arrived = pictures_.Take()) {
    painter_.ShowPictures(*arrived);
    drift_ = PictureDrift(arrived->size());
  }
}

void PreviewWindow::OnPaint() {
  win::PaintSession paint(Handle());
  RECT client{};
  ::GetClientRect(Handle(), &client);
  HDC frame = backBuffer_.Prepare(paint.Get(), client.right, client.bottom);
  painter_.Paint(frame, client, field_, nullptr, drift_.Placements());
  ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, frame, 0, 0, SRCCOPY);
}

void PreviewWindow::OnDestroy() {
  ::KillTimer(Handle(), kFrameTimer);
  ::PostQuitMessage(kExitDone);
}

}  // namespace swivex::glowdrift
