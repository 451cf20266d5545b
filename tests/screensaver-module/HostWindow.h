#pragma once

#include <windows.h>

namespace swivex::glowdrift::testing {

// A window of this program that stands for the Display control panel: a top-level frame with a
// child "monitor" area of the preview's usual size, for the saver's preview to live in, or to
// own its settings dialog.
class HostWindow {
 public:
  static constexpr int kMonitorWidth = 152;
  static constexpr int kMonitorHeight = 112;

  HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  ~HostWindow();

  HWND Frame() const { return frame_; }
  HWND Monitor() const { return monitor_; }
  // Destroys the frame, and with it the monitor and whatever the saver put into it.
  void Destroy();

 private:
  HWND frame_ = nullptr;
  HWND monitor_ = nullptr;
};

}  // namespace swivex::glowdrift::testing
