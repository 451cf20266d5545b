#pragma once

#include <windows.h>

#include <string>

namespace swivex {

// The text of the program's taskbar entry and the caption of every message dialog and error
// box; "Swivex 1.0" until the main window sets it to its own caption.
const std::string& ApplicationTitle();
void SetApplicationTitle(std::string title);

// The program's main window, which owns the error box and the message dialog; none until it
// has been created.
HWND MainWindow();
void SetMainWindow(HWND window);

}  // namespace swivex
