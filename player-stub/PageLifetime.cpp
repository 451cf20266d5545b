#include "player-stub/PageLifetime.h"

namespace swivex {

PageState PageStateAt(const StreamCount& streams, bool quitTold, Launcher launcher,
                      std::uint64_t openedAt, std::uint64_t now) {
  if (quitTold) return PageState::Ended;
  if (streams.open > 0) return PageState::Playing;
  if (streams.everOpened)
    return now - streams.lastClosedAt >= kAfterLastPageMilliseconds ? PageState::Ended
                                                                    : PageState::Playing;
  if (launcher == Launcher::Failed) return PageState::NoBrowser;
  return now - openedAt >= kPageArrivalMilliseconds ? PageState::NoPage : PageState::Waiting;
}

}  // namespace swivex
