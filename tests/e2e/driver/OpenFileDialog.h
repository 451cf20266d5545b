#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/driver/Wait.h"

namespace swivex::e2e {

// The system's explorer-style open-file dialog as Wine shows it. Wine has no edt1 field: the
// file name field is the ComboBoxEx32 cmb13, which takes WM_SETTEXT for the name.
class OpenFileDialog {
 public:
  // The dialog that a window of another process opened, owned by `owner`.
  static OpenFileDialog WaitForOwnedBy(HWND owner, Timeout timeout = kDefaultTimeout);

  HWND Window() const { return window_; }
  RECT Rect() const;  // screen coordinates
  std::string FileName() const;
  void TypeFileName(const std::string& name);
  // Both wait until the dialog has closed.
  void Confirm();
  void Cancel();

 private:
  explicit OpenFileDialog(HWND window) : window_(window) {}
  HWND FileNameField() const;

  HWND window_;
};

}  // namespace swivex::e2e
