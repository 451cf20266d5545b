#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/screensaver-module/SaverProcess.h"

namespace swivex::glowdrift::testing {

// Another process's windows, seen the way any program on the desktop sees them.
std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);
DWORD ProcessOf(HWND window);
RECT ScreenRectOf(HWND window);
std::vector<HWND> ChildWindowsOf(HWND parent);
// The text of every child window, one per line: what a dialog says.
std::string TextOfChildren(HWND parent);

// The first visible top-level window of the process whose class is className (any class if
// empty), waited for; null if none appears within the time.
HWND WaitForTopLevelWindow(DWORD process, const std::string& className,
                           milliseconds patience = kPatience);
// A child window of parent that belongs to the process, waited for; null if none appears.
HWND WaitForChildWindow(HWND parent, DWORD process, milliseconds patience = kPatience);
// Every top-level window of the process, visible or not.
std::vector<HWND> TopLevelWindowsOf(DWORD process);

}  // namespace swivex::glowdrift::testing

// For comparing and printing rectangles in test expectations (RECT lives in the global
// namespace, where the comparison looks).
bool operator==(const RECT& a, const RECT& b);
void PrintTo(const RECT& rect, std::ostream* out);
