// Requests to stop through POSIX signals.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <iterator>

#include "platform/SystemStopRequests.h"

namespace swivex {

namespace {

std::atomic<StopRequest> request{StopRequest::kNone};
static_assert(std::atomic<StopRequest>::is_always_lock_free, "a signal handler may store it");

// Set before the handler is installed, read only by it.
StopExitCodes exitCodes{};

constexpr int kSignals[] = {SIGINT, SIGTERM};
struct sigaction previous[std::size(kSignals)];

void OnSignal(int number) {
  const bool terminate = number == SIGTERM;
  StopRequest none = StopRequest::kNone;
  if (request.compare_exchange_strong(
          none, terminate ? StopRequest::kTerminate : StopRequest::kInterrupt))
    return;
  ::_exit(terminate ? exitCodes.terminated : exitCodes.interrupted);
}

}  // namespace

SystemStopRequests::SystemStopRequests(StopExitCodes endAtOnce) {
  exitCodes = endAtOnce;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // Reads and writes in progress go on; the program looks at the request between them.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    ::sigaction(kSignals[i], &action, &previous[i]);
}

SystemStopRequests::~SystemStopRequests() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i)
    ::sigaction(kSignals[i], &previous[i], nullptr);
}

StopRequest SystemStopRequests::Requested() { return request.load(); }

}  // namespace swivex
