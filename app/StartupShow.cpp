#include "app/StartupShow.h"

#include <windows.h>

namespace swivex {

int StartupShowMode(int startShowCommand) {
  switch (startShowCommand) {
    case SW_SHOWMAXIMIZED:
      return SW_SHOWMAXIMIZED;
    case SW_SHOWMINNOACTIVE:
      return SW_SHOWMINNOACTIVE;
    default:
      // Not SW_SHOWNORMAL: Windows replaces the first SW_SHOWNORMAL or SW_SHOW of a program's
      // main window with the show command of its start, which would minimise the window when
      // the program was started with SW_SHOWMINIMIZED. SW_RESTORE shows a new window normally.
      return SW_RESTORE;
  }
}

}  // namespace swivex
