#include "forms/ControlText.h"

namespace swivex {

std::string ControlText(HWND control) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
  const int length = ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return text;
}

void SetControlText(HWND control, const std::string& text) {
  ::SetWindowTextA(control, text.c_str());
}

}  // namespace swivex
