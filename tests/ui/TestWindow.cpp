#include "tests/ui/TestWindow.h"

#include "tests/support/PollUntil.h"

namespace swivex::testing {

TestWindow::TestWindow(const char* title, int left, int top)
    : window_(::CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top,
                                300, 200, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr)) {
  ::SetForegroundWindow(window_);
  ::SetActiveWindow(window_);
  // The tests that depend on the activation say so when it did not happen.
  PumpMessagesUntil([this] { return IsInFrontAndPainted(window_); });
}

TestWindow::~TestWindow() { ::DestroyWindow(window_); }

void HandlePendingMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;  // a window of an earlier test ended its loop
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

bool PumpMessagesUntil(const std::function<bool()>& holds, std::chrono::milliseconds patience) {
  HandlePendingMessages();
  return PollUntil(holds, patience, [] {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(kPollInterval.count()),
                                QS_ALLINPUT);
    HandlePendingMessages();
  });
}

bool NothingLeftToPaint() { return (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0; }

bool IsInFrontAndPainted(HWND window) {
  return ::GetForegroundWindow() == window && ::GetActiveWindow() == window && NothingLeftToPaint();
}

}  // namespace swivex::testing
