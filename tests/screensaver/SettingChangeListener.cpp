#include "tests/screensaver/SettingChangeListener.h"

namespace swivex::testing {

SettingChangeListener::SettingChangeListener() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "SwivexSettingChangeListener";
  ::RegisterClassA(&windowClass);  // fails harmlessly once registered
  window_ = ::CreateWindowA(windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                            nullptr, windowClass.hInstance, nullptr);
  screenSaverChanges_ = 0;
}

SettingChangeListener::~SettingChangeListener() { ::DestroyWindow(window_); }

LRESULT CALLBACK SettingChangeListener::Procedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  if (message == WM_SETTINGCHANGE && wParam == SPI_SETSCREENSAVEACTIVE) ++screenSaverChanges_;
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace swivex::testing
