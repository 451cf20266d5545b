#pragma once

#include <windows.h>

namespace swivex {

// Takes, translates and dispatches the thread's messages until the main window has closed:
// the main window's shortcuts first (they reach it as commands, which it runs or refuses as its
// conversion gate says), then the keyboard navigation (Tab and the arrow keys between controls,
// Esc) of the window that the message is for. Returns the exit code that WM_QUIT carries.
int RunMessageLoop(HWND mainWindow, HACCEL shortcuts);

}  // namespace swivex
