#include "app/MessageLoop.h"

namespace swivex {

int RunMessageLoop(HWND mainWindow, HACCEL shortcuts) {
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (shortcuts != nullptr && ::TranslateAcceleratorA(mainWindow, shortcuts, &message)) continue;
    if (::IsDialogMessageA(mainWindow, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace swivex
