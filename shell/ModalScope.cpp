#include "shell/ModalScope.h"

namespace swivex {

ModalScope::ModalScope(HWND owner) : active_(::GetActiveWindow()), focus_(::GetFocus()) {
  const DWORD thread = ::GetCurrentThreadId();
  // The owner is left to the box, which disables and enables it itself.
  for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
       window = ::GetWindow(window, GW_HWNDNEXT)) {
    if (window == owner || ::GetWindowThreadProcessId(window, nullptr) != thread) continue;
    if (::IsWindowVisible(window) && ::IsWindowEnabled(window)) disabled_.push_back(window);
  }
  for (HWND window : disabled_) ::EnableWindow(window, FALSE);
}

ModalScope::~ModalScope() {
  for (HWND window : disabled_) {
    if (::IsWindow(window)) ::EnableWindow(window, TRUE);
  }
  if (active_ != nullptr && ::IsWindow(active_)) ::SetActiveWindow(active_);
  if (focus_ != nullptr && ::IsWindow(focus_)) ::SetFocus(focus_);
}

}  // namespace swivex
