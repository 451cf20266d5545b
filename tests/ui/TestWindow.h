#pragma once

#include <windows.h>

namespace swivex::testing {

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

// Handles the thread's pending messages, for windows to paint and settle.
void PumpMessages(DWORD milliseconds);

}  // namespace swivex::testing
