#pragma once

namespace swivex {

// Why a console program was asked to stop before its work was done.
enum class StopRequest {
  kNone,
  kInterrupt,  // Ctrl+C, Ctrl+Break, its console window closed; SIGINT
  kTerminate,  // SIGTERM
};

// The requests to stop that reach a console program from its console or the system, kept until
// the program comes to a point where it can stop cleanly and asks.
class StopRequests {
 public:
  virtual ~StopRequests() = default;

  // The first request that came, or kNone.
  virtual StopRequest Requested() = 0;
};

}  // namespace swivex
