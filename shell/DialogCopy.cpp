#include "shell/DialogCopy.h"

#include "shell/Application.h"
#include "shell/Clipboard.h"
#include "shell/MessageDialogText.h"

namespace swivex {

bool IsCopyKey(const MSG& message) {
  return message.message == WM_KEYDOWN && message.wParam == 'C' && ::GetKeyState(VK_CONTROL) < 0 &&
         ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_MENU) >= 0;
}

void CopyBoxContent(HWND box, const std::string& text) {
  ::MessageBeep(0);
  PutTextOnClipboard(box, MessageDialogClipboardText(ApplicationTitle(), text, {kOkCaption}));
}

}  // namespace swivex
