#include <gtest/gtest.h>

#include "player-stub/PageLifetime.h"

namespace swivex::testing {
namespace {

struct LifeCase {
  const char* name;
  StreamCount streams;
  Launcher launcher;
  std::uint64_t now;  // the browser was opened at 1,000
  PageState state;
  bool quitTold = false;  // a page has told that its movie asked to quit
};

TEST(PageLifetime, EndsAfterTheLastPageOrAtOnceOnQuitWhenNoPageComesOrTheLauncherFails) {
  constexpr Launcher kRunning = Launcher::Running;
  constexpr Launcher kSucceeded = Launcher::Succeeded;
  constexpr Launcher kFailed = Launcher::Failed;
  const LifeCase cases[] = {
      {"the browser starting", {}, kRunning, 1'000, PageState::Waiting},
      {"no page yet, a moment before two minutes", {}, kRunning, 120'999, PageState::Waiting},
      {"no page in two minutes", {}, kRunning, 121'000, PageState::NoPage},
      {"the launcher done, no page yet", {}, kSucceeded, 120'999, PageState::Waiting},
      {"the launcher done, no page in two minutes", {}, kSucceeded, 121'000, PageState::NoPage},
      {"the launcher failed at once", {}, kFailed, 1'000, PageState::NoBrowser},
      {"a page open", {1, true, 0}, kRunning, 500'000, PageState::Playing},
      {"two pages open", {2, true, 0}, kSucceeded, 500'000, PageState::Playing},
      {"a page open long after the wait for one",
       {1, true, 0},
       kRunning,
       121'000,
       PageState::Playing},
      {"a page open, the launcher failed", {1, true, 0}, kFailed, 5'000, PageState::Playing},
      {"the page closed, a moment before the end",
       {0, true, 50'000},
       kRunning,
       53'999,
       PageState::Playing},
      {"the page closed four seconds ago", {0, true, 50'000}, kRunning, 54'000, PageState::Ended},
      {"the page closed, the launcher failed",
       {0, true, 50'000},
       kFailed,
       53'999,
       PageState::Playing},
      {"the last page closed, after two minutes",
       {0, true, 130'000},
       kSucceeded,
       133'000,
       PageState::Playing},
      {"quit, the page open", {1, true, 0}, kRunning, 5'000, PageState::Ended, true},
      {"quit, before the page's stream", {}, kRunning, 1'000, PageState::Ended, true},
      {"quit, the page closed a moment ago",
       {0, true, 4'000},
       kSucceeded,
       4'001,
       PageState::Ended,
       true},
  };
  for (const LifeCase& tried : cases)
    EXPECT_EQ(PageStateAt(tried.streams, tried.quitTold, tried.launcher, 1'000, tried.now),
              tried.state)
        << tried.name;
}

}  // namespace
}  // namespace swivex::testing
