#pragma once

#include <windows.h>

#include <string>

#include "screensaver-module/SaverSettings.h"

namespace swivex::glowdrift {

// The settings dialog ("/c", or no argument): says what the saver shows, names the movie
// installed now, and offers the settings; OK takes them, Cancel leaves them as they were.
class SettingsDialog {
 public:
  // `installed`: the installed movie's headline (DescribeInstalledMovie).
  SettingsDialog(std::string installed, SaverSettings settings)
      : installed_(std::move(installed)), settings_(settings) {}

  // Shows the dialog modally over the owner (which may be null) until the user closes it; true
  // if they chose OK.
  bool Run(HINSTANCE instance, HWND owner);

  // The settings given, or those chosen once Run has returned true.
  const SaverSettings& Settings() const { return settings_; }

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam);
  void OnInitDialog(HWND dialog);
  void OnCommand(HWND dialog, WORD command);
  void OnOk(HWND dialog);

  std::string installed_;
  SaverSettings settings_;
};

}  // namespace swivex::glowdrift
