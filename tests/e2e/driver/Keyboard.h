#pragma once

#include <windows.h>

#include <initializer_list>

namespace swivex::e2e {

// Keys go to the foreground window: makes `window` the foreground window and waits until it is.
void BringToFront(HWND window);

// Presses the virtual keys in order and releases them in reverse, as one chord (Ctrl+C is
// {VK_CONTROL, 'C'}), into the foreground window.
void PressChord(std::initializer_list<WORD> keys);

}  // namespace swivex::e2e
