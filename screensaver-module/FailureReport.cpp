#include "screensaver-module/FailureReport.h"

#include <windows.h>

#include <cstdio>

#include "winsupport/MessageTrimming.h"
#include "winsupport/SystemMessage.h"

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

std::string FailureText(const std::string& what, unsigned long error) {
  const std::string reason = win::SystemMessage(error);
  return what + ": " + reason.substr(0, win::TrimmedMessageLength(reason.data(), reason.size())) +
         ".";
}

const char* ReportedFailure() noexcept { return hasReport ? reported : nullptr; }

}  // namespace swivex::glowdrift
