#pragma once

#include <windows.h>

namespace swivex {

// The screen's device context, for measuring text; released when it goes.
class ScreenDeviceContext {
 public:
  ScreenDeviceContext() : dc_(::GetDC(nullptr)) {}
  ScreenDeviceContext(const ScreenDeviceContext&) = delete;
  ScreenDeviceContext& operator=(const ScreenDeviceContext&) = delete;
  ~ScreenDeviceContext() {
    if (dc_ != nullptr) ::ReleaseDC(nullptr, dc_);
  }

  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back when it goes.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace swivex
