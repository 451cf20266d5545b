#pragma once

#include <windows.h>

#include <string>

namespace swivex::testing {

// The file into which the stand-in Display control panel (desk.cpl) writes each page it is
// asked to open, one line each.
inline std::string DeskCplRecordPath() {
  char folder[MAX_PATH] = {};
  ::GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\Temp\\desk-cpl-page.txt";
}

}  // namespace swivex::testing
