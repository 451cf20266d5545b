// Requests to stop through the console's control events.
#include <windows.h>

#include <atomic>

#include "platform/SystemStopRequests.h"

namespace swivex {

namespace {

std::atomic<StopRequest> request{StopRequest::kNone};

// Set before the handler is installed, read only by it.
StopExitCodes exitCodes{};

// Keeps the first request; a second one ends the process where it is. TerminateProcess rather
// than ExitProcess: the main thread may be inside the heap or the C runtime, whose locks the
// clean-up of ExitProcess would wait for.
void Request() {
  StopRequest none = StopRequest::kNone;
  if (!request.compare_exchange_strong(none, StopRequest::kInterrupt))
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(exitCodes.interrupted));
}

// Windows calls this on a thread of its own.
BOOL WINAPI OnControlEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      Request();
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      Request();
      // Windows ends the process as soon as this returns (and after some seconds anyway):
      // held here, the main thread has that time to stop cleanly and end the process itself.
      ::Sleep(INFINITE);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

SystemStopRequests::SystemStopRequests(StopExitCodes endAtOnce) {
  exitCodes = endAtOnce;
  ::SetConsoleCtrlHandler(OnControlEvent, TRUE);
}

SystemStopRequests::~SystemStopRequests() { ::SetConsoleCtrlHandler(OnControlEvent, FALSE); }

StopRequest SystemStopRequests::Requested() { return request.load(); }

}  // namespace swivex
