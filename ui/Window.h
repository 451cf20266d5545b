#pragma once

#include <windows.h>

#include "app/ErrorBoundary.h"

namespace swivex {

// The base of a window class of the program: the window procedure finds the object from the
// window and hands each message to Form::HandleMessage inside the error boundary.
template <typename Form>
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window() {
    if (handle_ == nullptr) return;
    // The object is half gone by now: the window must not call back into it.
    ::SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    ::DestroyWindow(handle_);
  }

  HWND Handle() const { return handle_; }

 protected:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = nullptr;
    if (message == WM_NCCREATE) {
      form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      form->handle_ = window;
      ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    } else {
      form = reinterpret_cast<Form*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (form == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      form->handle_ = nullptr;
    }
    LRESULT result = 0;
    RunGuarded([&] { result = form->HandleMessage(message, wParam, lParam); });
    return result;
  }

 private:
  HWND handle_ = nullptr;
};

}  // namespace swivex
