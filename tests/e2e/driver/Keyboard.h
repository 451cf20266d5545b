#pragma once

#include <windows.h>

#include <initializer_list>

#include "tests/e2e/driver/Wait.h"

namespace swivex::e2e {

// Keys go to the foreground window: makes `window` the foreground window and waits until it is.
void BringToFront(HWND window);

// Presses the virtual keys in order and releases them in reverse, as one chord (Ctrl+C is
// {VK_CONTROL, 'C'}), into the foreground window.
void PressChord(std::initializer_list<WORD> keys);

// Keys wait in the input queue of the window's thread, which takes its sent and posted messages
// first: a message sent or posted after PressChord may overtake the keys. Waits until `window`
// has taken every key pressed before the call (or is hidden), by asking it to repaint, which a
// thread does only when no input is left.
void WaitUntilInputTaken(HWND window, Timeout timeout = kDefaultTimeout);

}  // namespace swivex::e2e
