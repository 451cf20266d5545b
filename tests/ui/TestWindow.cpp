#include "tests/ui/TestWindow.h"

namespace swivex::testing {

TestWindow::TestWindow(const char* title, int left, int top)
    : window_(::CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top,
                                300, 200, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr)) {
  ::SetForegroundWindow(window_);
  ::SetActiveWindow(window_);
  PumpMessages(100);
}

TestWindow::~TestWindow() { ::DestroyWindow(window_); }

void PumpMessages(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  do {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;  // a window of an earlier test ended its loop
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    ::Sleep(10);
  } while (::GetTickCount() - start < milliseconds);
}

}  // namespace swivex::testing
