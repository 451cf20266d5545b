#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/driver/Wait.h"

namespace swivex::e2e {

// The child of `parent` with this ID; throws DriverError if there is none.
HWND ControlById(HWND parent, int id);

// Posted, never sent: a click whose handler runs a modal dialog would block a sender until the
// dialog closes.
void Click(HWND button);
void PostCommand(HWND window, int id);  // a menu command or a control's notification
void PostClose(HWND window);

bool IsEnabled(HWND window);

// The control's outer rectangle relative to the top-left corner of `window`'s client area.
RECT RectInClient(HWND control, HWND window);
SIZE ClientSize(HWND window);
RECT WindowRect(HWND window);  // screen coordinates

// Returns once the window's thread takes messages again: its current handler has run to its end
// or entered a modal loop of its own. A thread answers sent messages before posted ones, so call
// it only after something visible showed that the last posted message was taken (a dialog that
// opened or closed), never right after posting.
void WaitUntilHandled(HWND window, Timeout timeout = kDefaultTimeout);

}  // namespace swivex::e2e
