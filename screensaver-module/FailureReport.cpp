#include "screensaver-module/FailureReport.h"

#include <windows.h>

#include <cstdio>

namespace swivex::glowdrift {

namespace {

// Fixed storage: reporting a failure must not itself allocate or throw.
char reported[512];
bool hasReport = false;

}  // namespace

void ReportFailure(const char* what) noexcept {
  if (!hasReport) {
    std::snprintf(reported, sizeof reported, "%s", what ? what : "Unknown error.");
    hasReport = true;
  }
  ::PostQuitMessage(kExitFailure);
}

void ShowFailure(const char* what) noexcept {
  // A quit message still waiting would close the message box at once.
  MSG pending;
  while (::PeekMessageA(&pending, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  ::MessageBoxA(nullptr, what, "Glowdrift", MB_OK | MB_ICONERROR);
}

const char* ReportedFailure() noexcept { return hasReport ? reported : nullptr; }

}  // namespace swivex::glowdrift
