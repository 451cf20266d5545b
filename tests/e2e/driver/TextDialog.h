#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/Wait.h"

namespace swivex::e2e {

// A dialog that shows a text and buttons: a system message box (MessageBoxA) or a program's own
// message dialog.
class TextDialog {
 public:
  // The visible dialog (class #32770) of the process titled `caption`.
  static TextDialog WaitFor(DWORD processId, const std::string& caption,
                            Timeout timeout = kDefaultTimeout);
  // The same, for a process known only by the end of its executable's path.
  static TextDialog WaitForProgram(const std::string& imageEndsWith,
                                   Timeout timeout = kDefaultTimeout);
  static TextDialog Of(HWND window) { return TextDialog(window); }

  HWND Window() const { return window_; }
  std::string Caption() const;
  // The texts of its static controls other than icons, joined by line breaks.
  std::string Text() const;
  std::vector<std::string> ButtonCaptions() const;
  // True if it shows the system's stop icon (a message box's icon control, 0x440, drawn red):
  // icon handles are private to their process, so the icon is recognised by its colour.
  bool ShowsStopIcon() const;
  // Clicks the button and waits until the dialog has closed.
  void Press(int buttonId);

 private:
  explicit TextDialog(HWND window) : window_(window) {}

  HWND window_;
};

}  // namespace swivex::e2e
