#include "app/MessageLoop.h"

namespace swivex {

int RunMessageLoop(HWND mainWindow, HACCEL shortcuts) {
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (shortcuts != nullptr && ::TranslateAcceleratorA(mainWindow, shortcuts, &message)) continue;
    // The keyboard moves between the controls of the window that the message is for: the main
    // window or the progress window, plain windows that IsDialogMessage serves as dialogs.
    HWND window = message.hwnd != nullptr ? ::GetAncestor(message.hwnd, GA_ROOT) : mainWindow;
    if (::IsDialogMessageA(window, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace swivex
