#pragma once

namespace swivex {

// How the main window is first shown for the show command the program was started with:
// maximised for SW_SHOWMAXIMIZED, minimised without activation for SW_SHOWMINNOACTIVE, and
// normally for anything else (SW_SHOWMINIMIZED included).
int StartupShowMode(int startShowCommand);

}  // namespace swivex
