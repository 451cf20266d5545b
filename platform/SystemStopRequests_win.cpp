// Requests to stop through the console's control events.
#include <windows.h>

#include <atomic>

#include "platform/SystemStopRequests.h"

namespace swivex {

namespace {

std::atomic<StopRequest> request{StopRequest::kNone};

// Windows calls this on a thread of its own.
BOOL WINAPI OnControlEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      request = StopRequest::kInterrupt;
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      request = StopRequest::kInterrupt;
      // Windows ends the process as soon as this returns (and after some seconds anyway):
      // held here, the main thread has that time to stop cleanly and end the process itself.
      ::Sleep(INFINITE);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

SystemStopRequests::SystemStopRequests() { ::SetConsoleCtrlHandler(OnControlEvent, TRUE); }

SystemStopRequests::~SystemStopRequests() { ::SetConsoleCtrlHandler(OnControlEvent, FALSE); }

StopRequest SystemStopRequests::Requested() { return request.load(); }

}  // namespace swivex
