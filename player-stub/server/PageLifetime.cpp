#include "player-stub/server/PageLifetime.h"

namespace swivex {

PageState PageStateAt(const StreamCount& streams, std::uint64_t openedAt, std::uint64_t now) {
  if (streams.open > 0) return PageState::Playing;
  if (streams.everOpened)
    return now - streams.lastClosedAt >= kAfterLastPageMilliseconds ? PageState::Ended
                                                                    : PageState::Playing;
  return now - openedAt >= kPageArrivalMilliseconds ? PageState::NoPage : PageState::Waiting;
}

}  // namespace swivex
