#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace swivex::testing {

// Long enough for a window to come up on a loaded machine; a wait that succeeds ends sooner.
inline constexpr std::chrono::milliseconds kWindowPatience{10000};

// A plain visible top-level window, shown and active, that stands in for a window of the
// program (the main window that owns the boxes, or another window that they must disable).
class TestWindow {
 public:
  TestWindow(const char* title, int left, int top);
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow();

  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

// Handles the messages waiting in this thread's queue, without waiting for more.
void HandlePendingMessages();

// Handles this thread's messages until `holds` is true or `patience` has passed; true if it
// held in time.
bool PumpMessagesUntil(const std::function<bool()>& holds,
                       std::chrono::milliseconds patience = kWindowPatience);

// True once no window of this thread has a part left to paint.
bool NothingLeftToPaint();

// True once the window is the foreground window, active, and painted.
bool IsInFrontAndPainted(HWND window);

}  // namespace swivex::testing
