#pragma once

#include <windows.h>

#include "screensaver-module/MovieCaption.h"

namespace swivex::glowdrift {

// The settings dialog ("/c", or no argument): says what the saver shows and that there is
// nothing to set, names the movie installed now, and closes with OK.
class SettingsDialog {
 public:
  explicit SettingsDialog(MovieCaption caption) : caption_(std::move(caption)) {}

  // Shows the dialog modally over the owner (which may be null) until the user closes it.
  void Run(HINSTANCE instance, HWND owner);

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam);
  void OnInitDialog(HWND dialog);
  void OnCommand(HWND dialog, WORD command);

  MovieCaption caption_;
};

}  // namespace swivex::glowdrift
