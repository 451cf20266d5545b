#pragma once

#include "platform/StopRequests.h"

namespace swivex {

// Takes the system's requests to stop the process, for the object's life, instead of letting
// them end it on the spot: the console's control events on Windows (SetConsoleCtrlHandler),
// SIGINT and SIGTERM elsewhere. One object at a time in a process.
class SystemStopRequests : public StopRequests {
 public:
  SystemStopRequests();
  SystemStopRequests(const SystemStopRequests&) = delete;
  SystemStopRequests& operator=(const SystemStopRequests&) = delete;
  // Gives the requests back to the system's default handling.
  ~SystemStopRequests() override;

  StopRequest Requested() override;
};

}  // namespace swivex
