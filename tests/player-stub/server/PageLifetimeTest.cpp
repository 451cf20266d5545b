#include <gtest/gtest.h>

#include "player-stub/server/PageLifetime.h"

namespace swivex::testing {
namespace {

struct LifeCase {
  const char* name;
  StreamCount streams;
  std::uint64_t now;  // the browser was opened at 1,000
  PageState state;
};

TEST(PageLifetime, EndsAfterTheLastPageOrWhenNoPageComesInTwoMinutes) {
  const LifeCase cases[] = {
      {"the browser starting", {}, 1'000, PageState::Waiting},
      {"no page yet, a moment before two minutes", {}, 120'999, PageState::Waiting},
      {"no page in two minutes", {}, 121'000, PageState::NoPage},
      {"a page open", {1, true, 0}, 500'000, PageState::Playing},
      {"two pages open", {2, true, 0}, 500'000, PageState::Playing},
      {"a page open long after the wait for one", {1, true, 0}, 121'000, PageState::Playing},
      {"the page closed, a moment before the end", {0, true, 50'000}, 53'999, PageState::Playing},
      {"the page closed four seconds ago", {0, true, 50'000}, 54'000, PageState::Ended},
      {"the last page closed, after two minutes", {0, true, 130'000}, 133'000, PageState::Playing},
  };
  for (const LifeCase& tried : cases)
    EXPECT_EQ(PageStateAt(tried.streams, 1'000, tried.now), tried.state) << tried.name;
}

}  // namespace
}  // namespace swivex::testing
