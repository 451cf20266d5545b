#pragma once

#include <windows.h>

namespace swivex::glowdrift::testing {

// Input as the user gives it: through the system's input queue, to whatever window has the
// keyboard or lies under the pointer.
void PressKey(WORD virtualKey);
void MoveMouseBy(int dx, int dy);
void ClickLeftButton();
void TurnWheel();
// Puts the pointer at a point the way a program does (SetCursorPos).
void PutCursorAt(int x, int y);
POINT CursorPosition();

}  // namespace swivex::glowdrift::testing
