#include <gtest/gtest.h>

#include "playback/ByteRange.h"

namespace swivex::testing {
namespace {

struct RangeCase {
  const char* header;
  std::uint64_t size;
  RangeAnswer answer;
  ByteSpan span;
};

TEST(ByteRange, HonoursOneSpanOfBytesWithinTheFile) {
  const RangeCase cases[] = {
      {"bytes=0-99", 1000, RangeAnswer::Part, {0, 99}},
      {"bytes=10-10", 1000, RangeAnswer::Part, {10, 10}},
      {"bytes=900-", 1000, RangeAnswer::Part, {900, 999}},
      {"bytes=999-", 1000, RangeAnswer::Part, {999, 999}},
      {"bytes=1000-", 1000, RangeAnswer::Unsatisfiable, {}},
      {"bytes=998-1000", 1000, RangeAnswer::Part, {998, 999}},
      {"bytes=998-5000", 1000, RangeAnswer::Part, {998, 999}},
      {"bytes=-1", 1000, RangeAnswer::Part, {999, 999}},
      {"bytes=-1000", 1000, RangeAnswer::Part, {0, 999}},
      {"bytes=-5000", 1000, RangeAnswer::Part, {0, 999}},
      {"bytes=-0", 1000, RangeAnswer::Unsatisfiable, {}},
      {"bytes=0-", 0, RangeAnswer::Unsatisfiable, {}},
      {"bytes=-5", 0, RangeAnswer::Unsatisfiable, {}},
      {" Bytes=5-6 ", 1000, RangeAnswer::Part, {5, 6}},
      {"bytes = 5-6", 1000, RangeAnswer::Whole, {}},
      {"bytes=5-4", 1000, RangeAnswer::Whole, {}},
      {"bytes=0-1,5-6", 1000, RangeAnswer::Whole, {}},
      {"bytes=a-b", 1000, RangeAnswer::Whole, {}},
      {"bytes=-", 1000, RangeAnswer::Whole, {}},
      {"bytes=1", 1000, RangeAnswer::Whole, {}},
      {"items=0-1", 1000, RangeAnswer::Whole, {}},
      {"bytes=+1-2", 1000, RangeAnswer::Whole, {}},
      {"bytes=999999999999999999-", 1000, RangeAnswer::Unsatisfiable, {}},
      {"bytes=9999999999999999999-", 1000, RangeAnswer::Whole, {}},
      {"bytes=0-18446744073709551615", 1000, RangeAnswer::Whole, {}},
  };
  for (const RangeCase& tried : cases) {
    ByteSpan span{};
    EXPECT_EQ(ParseByteRange(tried.header, tried.size, span), tried.answer) << tried.header;
    if (tried.answer == RangeAnswer::Part) {
      EXPECT_EQ(span, tried.span) << tried.header;
    }
  }
}

}  // namespace
}  // namespace swivex::testing
