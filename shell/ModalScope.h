#pragma once

#include <windows.h>

#include <vector>

namespace swivex {

// While a system box runs modally for `owner`, the thread's other windows are disabled too, so
// that nothing but the box takes input. When the scope ends they are enabled again, and the
// window that was active before gets activation and focus back. Without an owner, every window
// of the thread is disabled: during work that takes the program's input without a box.
class ModalScope {
 public:
  explicit ModalScope(HWND owner);
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;
  ~ModalScope();

 private:
  HWND active_;
  HWND focus_;
  std::vector<HWND> disabled_;
};

}  // namespace swivex
