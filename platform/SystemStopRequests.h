#pragma once

#include "platform/StopRequests.h"

namespace swivex {

// The exit codes of a process that a second request to stop ends at once.
struct StopExitCodes {
  int interrupted;  // the second request is an interrupt (Ctrl+C, SIGINT, ...)
  int terminated;   // the second request is SIGTERM
};

// Takes the system's requests to stop the process, for the object's life, instead of letting
// them end it on the spot: the console's control events on Windows (SetConsoleCtrlHandler),
// SIGINT and SIGTERM elsewhere. The first request is kept for the program to ask about; a
// second one, of either kind, ends the process at once with its exit code from `endAtOnce`,
// wherever the program is: whoever asks twice does not wait for a stop that may never come (a
// write to a pipe that nobody reads, a file system that hangs). One object at a time in a
// process.
class SystemStopRequests : public StopRequests {
 public:
  explicit SystemStopRequests(StopExitCodes endAtOnce);
  SystemStopRequests(const SystemStopRequests&) = delete;
  SystemStopRequests& operator=(const SystemStopRequests&) = delete;
  // Gives the requests back to the system's default handling.
  ~SystemStopRequests() override;

  StopRequest Requested() override;
};

}  // namespace swivex
