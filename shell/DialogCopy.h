#pragma once

#include <windows.h>

#include <string>

namespace swivex {

// The one button of the error box and of the message dialog.
inline constexpr char kOkCaption[] = "OK";

// Ctrl+C, without Shift or Alt.
bool IsCopyKey(const MSG& message);

// What Ctrl+C does in the system's message box, for the error box and the message dialog: a
// beep, and the program's title, `text` and the OK button on the clipboard.
void CopyBoxContent(HWND box, const std::string& text);

}  // namespace swivex
