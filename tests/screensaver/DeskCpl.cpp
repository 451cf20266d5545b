// A stand-in for the Display control panel, which Wine lacks. Started as
// "RunDLL32.exe Shell32.dll,Control_RunDLL desk.cpl,,PAGE", it records PAGE (or "(no page)"
// when opened without one) in the record file and opens nothing, so that a test can tell whether
// and how the control panel was started.
#include <windows.h>
// clang-format off
#include <cpl.h>
// clang-format on

#include <fstream>
#include <string>

#include "tests/screensaver/DeskCplRecord.h"

namespace {

void RecordPage(const std::string& page) {
  std::ofstream(swivex::testing::DeskCplRecordPath(), std::ios::app | std::ios::binary)
      << page << '\n';
}

std::string Narrow(const wchar_t* text) {
  if (text == nullptr) return {};
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string narrow(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(size - 1));
  return narrow;
}

LONG Answer(UINT message, LPARAM param2) {
  switch (message) {
    case CPL_INIT:
      return TRUE;
    case CPL_GETCOUNT:
      return 1;
    case CPL_INQUIRE: {
      auto* info = reinterpret_cast<CPLINFO*>(param2);
      info->idIcon = CPL_DYNAMIC_RES;
      info->idName = CPL_DYNAMIC_RES;
      info->idInfo = CPL_DYNAMIC_RES;
      info->lData = 0;
      return 0;
    }
    case CPL_STARTWPARMSW:
      RecordPage(Narrow(reinterpret_cast<const wchar_t*>(param2)));
      return TRUE;  // handled: no CPL_DBLCLK follows
    case CPL_DBLCLK:
      RecordPage("(no page)");
      return 0;
    default:
      return 0;
  }
}

}  // namespace

extern "C" __declspec(dllexport) LONG APIENTRY
    CPlApplet(HWND, UINT message, LPARAM, LPARAM param2) {
  try {
    return Answer(message, param2);
  } catch (...) {
    // Nothing may unwind into the control panel host; the page is then missing from the record,
    // which the test reports.
    return 0;
  }
}
