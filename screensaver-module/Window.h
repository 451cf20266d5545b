#pragma once

#include <windows.h>

#include <exception>

#include "screensaver-module/FailureReport.h"

namespace swivex::glowdrift {

// The base of the module's windows: registers the class, keeps `this` with the window from
// WM_NCCREATE on, and forwards each message to Derived::HandleMessage. No exception leaves the
// window procedure: one is reported and ends the message loop.
template <class Derived>
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // The derived part is already gone here, so the window is cut loose from it before it goes.
  ~Window() {
    if (!handle_) return;
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    ::DestroyWindow(handle_);
  }

  HWND Handle() const { return handle_; }

 protected:
  static void RegisterClassOnce(HINSTANCE instance, const char* className, HCURSOR cursor) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Window::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = cursor;
    windowClass.lpszClassName = className;
    // A second window of the same class finds it registered; that is fine.
    ::RegisterClassExA(&windowClass);
  }

  HWND handle_ = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Derived*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
      self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      self->handle_ = window;
      ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->handle_ = nullptr;
      return ::DefWindowProcA(window, message, wParam, lParam);
    }
    try {
      return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
      ReportFailure(error.what());
    } catch (...) {
      ReportFailure("Unknown error.");
    }
    return 0;
  }
};

}  // namespace swivex::glowdrift
