#pragma once

#include <windows.h>

#include <string>

namespace swivex {

// The system's open-file dialog, kept for a window's life so that it offers the file last
// chosen in it again. Set the filter, Execute, read FileName.
class OpenDialog {
 public:
  // `filter`: description and pattern pairs, each ended by a NUL, the list ended by another:
  // "SWF file (*.swf)\0*.swf\0". It must outlive the dialog.
  explicit OpenDialog(const char* filter) : filter_(filter) {}

  // Shows the dialog owned by `owner`. True if the user confirmed a file, which FileName then
  // holds; false if the user cancelled, and FileName keeps the previous pick. A dialog that
  // fails (a chosen name of MAX_PATH UTF-16 units or more, no memory) raises Exception with a
  // text that says what happened.
  bool Execute(HWND owner);
  const std::string& FileName() const { return fileName_; }

 private:
  static UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  void Place(HWND dialog) const;

  const char* filter_;
  std::string fileName_;
  HWND placedBy_ = nullptr;  // the window whose monitor the dialog appears on
};

}  // namespace swivex
