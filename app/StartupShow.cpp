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
      return SW_SHOWNORMAL;
  }
}

}  // namespace swivex
