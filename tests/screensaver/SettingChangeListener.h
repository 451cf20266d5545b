#pragma once

#include <windows.h>

namespace swivex::testing {

// A hidden top-level window that counts the announcements of a changed screen-saver setting,
// which every top-level window of the desktop receives.
class SettingChangeListener {
 public:
  SettingChangeListener();
  SettingChangeListener(const SettingChangeListener&) = delete;
  SettingChangeListener& operator=(const SettingChangeListener&) = delete;
  ~SettingChangeListener();

  bool Listening() const { return window_ != nullptr; }
  int ScreenSaverChanges() const { return screenSaverChanges_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  static inline int screenSaverChanges_ = 0;
  HWND window_ = nullptr;
};

}  // namespace swivex::testing
