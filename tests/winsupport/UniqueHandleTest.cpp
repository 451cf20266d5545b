#include <gtest/gtest.h>

#include <vector>

#include "winsupport/UniqueHandle.h"

#ifdef _WIN32
#include "winsupport/WindowsHandles.h"
#endif

namespace swivex::testing {
namespace {

// Handles are numbers; -1 means none, and every release is written down.
std::vector<int> released;

struct CountedTraits {
  using Handle = int;
  static Handle Empty() noexcept { return -1; }
  static void Release(Handle handle) noexcept { released.push_back(handle); }
};
using Counted = win::UniqueHandle<CountedTraits>;

class UniqueHandleTest : public ::testing::Test {
 protected:
  void SetUp() override { released.clear(); }
};

TEST_F(UniqueHandleTest, ReleasesWhatItOwnsExactlyOnce) {
  {
    Counted none;
    EXPECT_FALSE(none);
    EXPECT_EQ(none.Get(), -1);
    Counted zero(0);  // 0 is a handle like any other when the traits say -1 is none
    EXPECT_TRUE(zero);
  }
  EXPECT_EQ(released, (std::vector<int>{0}));
}

TEST_F(UniqueHandleTest, MovesOwnershipAndLeavesTheSourceEmpty) {
  Counted first(7);
  Counted second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Get(), 7);

  Counted third(9);
  third = std::move(second);  // the handle it held is released, the moved one kept
  EXPECT_EQ(released, (std::vector<int>{9}));
  EXPECT_EQ(third.Get(), 7);
  third = std::move(third);
  EXPECT_EQ(third.Get(), 7);
  EXPECT_EQ(released, (std::vector<int>{9}));
}

TEST_F(UniqueHandleTest, ResetReleaseAndReceive) {
  Counted handle(1);
  handle.Reset(2);
  EXPECT_EQ(released, (std::vector<int>{1}));
  EXPECT_EQ(handle.Release(), 2);  // given away: not released here
  EXPECT_FALSE(handle);

  handle.Reset(3);
  int* slot = handle.Receive();  // the held handle goes before a new one is written
  EXPECT_EQ(released, (std::vector<int>{1, 3}));
  *slot = 4;
  EXPECT_EQ(handle.Get(), 4);
  handle.Reset();
  EXPECT_EQ(released, (std::vector<int>{1, 3, 4}));
  EXPECT_FALSE(handle);
}

#ifdef _WIN32
// The "no handle" value of each kind is the one its functions return on failure, so that a
// failed call leaves an owner that releases nothing.
TEST(WindowsHandles, EmptyValueOfEachKindIsWhatItsFunctionsReturnOnFailure) {
  EXPECT_EQ(win::UniqueFile().Get(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(win::UniqueFind().Get(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(win::UniqueKernelObject().Get(), nullptr);
  EXPECT_EQ(win::UniqueKey().Get(), nullptr);
  EXPECT_EQ(win::UniqueFont().Get(), nullptr);
  EXPECT_EQ(win::UniqueGlobal().Get(), nullptr);

  const win::UniqueFile missing(::CreateFileA("Z:\\no\\such\\folder\\file", GENERIC_READ, 0,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing);
  WIN32_FIND_DATAA found;
  const win::UniqueFind nothing(::FindFirstFileA("Z:\\no\\such\\folder\\*", &found));
  EXPECT_FALSE(nothing);
  const win::UniqueKernelObject noProcess(::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, 0));
  EXPECT_FALSE(noProcess);
}
#endif

}  // namespace
}  // namespace swivex::testing
