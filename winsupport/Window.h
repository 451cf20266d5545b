#pragma once

#include <windows.h>

#include "winsupport/ErrorBoundary.h"

namespace swivex::win {

// The base of a window class: one object per window. The window procedure keeps `this` with the
// window from WM_NCCREATE on and hands every message to `Derived::HandleMessage(UINT, WPARAM,
// LPARAM)` inside the error boundary of `ErrorPolicy` (see RunGuarded). The window keeps its
// handle through its own WM_NCDESTROY, so that a handler's default branch still reaches
// DefWindowProcA with the real window; only afterwards is the object cut loose from it.
template <typename Derived, typename ErrorPolicy>
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const noexcept { return handle_; }

 protected:
  Window() noexcept = default;
  // The derived part is already gone when this runs: the window must not call back into it.
  ~Window() {
    if (handle_ == nullptr) return;
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    ::DestroyWindow(handle_);
  }

  // Registers the window class `className` with this class's window procedure. True when the
  // class is registered, by this call or an earlier one.
  static bool RegisterWindowClass(HINSTANCE instance, const char* className, HCURSOR cursor,
                                  HICON icon = nullptr, HICON smallIcon = nullptr) noexcept {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Window::Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = cursor;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.lpszClassName = className;
    return ::RegisterClassExA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
      self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      self->handle_ = window;
      ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Window*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    RunGuarded<ErrorPolicy>(
        [&] { result = static_cast<Derived*>(self)->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->handle_ = nullptr;
    }
    return result;
  }

 private:
  HWND handle_ = nullptr;
};

}  // namespace swivex::win
