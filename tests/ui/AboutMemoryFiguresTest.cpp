#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "ui/AboutMemoryFigures.h"

namespace swivex::testing {
namespace {

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kGiB = kKiB * kKiB * kKiB;

TEST(FormatKilobytes, RoundsToWholeKilobytesAndGroupsDigitsByThrees) {
  struct Case {
    std::uint64_t bytes;
    const char* separator;
    const char* text;
  };
  const Case cases[] = {
      {0, ",", "0 KB"},
      {511, ",", "0 KB"},
      {512, ",", "1 KB"},  // an exact half goes up
      {1023, ",", "1 KB"},
      {1024, ",", "1 KB"},
      {1535, ",", "1 KB"},
      {1536, ",", "2 KB"},
      {2560, ",", "3 KB"},  // away from zero, not to the even neighbour
      {999 * kKiB, ",", "999 KB"},
      {999 * kKiB + 512, ",", "1,000 KB"},
      {1000 * kKiB, ",", "1,000 KB"},
      {123456 * kKiB, ",", "123,456 KB"},
      {1234567 * kKiB, ",", "1,234,567 KB"},
      {4 * kGiB - 1, ",", "4,194,304 KB"},
      {4 * kGiB, ",", "4,194,304 KB"},  // beyond what a 32-bit count can hold
      {4 * kGiB + 1536, ",", "4,194,306 KB"},
      {16 * kGiB, ",", "16,777,216 KB"},
      {1024 * kGiB, ",", "1,073,741,824 KB"},
      {std::numeric_limits<std::uint64_t>::max(), ",", "18,014,398,509,481,984 KB"},
      {16 * kGiB, ".", "16.777.216 KB"},
      {16 * kGiB, "\240", "16\240777\240216 KB"},  // a no-break space
      {16 * kGiB, "", "16777216 KB"},
      {16 * kGiB, "'", "16'777'216 KB"},
      {999 * kKiB, ".", "999 KB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatKilobytes(c.bytes, c.separator), c.text)
        << c.bytes << " bytes, separator \"" << c.separator << "\"";
  }
}

TEST(FormatMemoryLoad, IsTheNumberABlankAndAPercentSign) {
  EXPECT_EQ(FormatMemoryLoad(0), "0 %");
  EXPECT_EQ(FormatMemoryLoad(7), "7 %");
  EXPECT_EQ(FormatMemoryLoad(42), "42 %");
  EXPECT_EQ(FormatMemoryLoad(100), "100 %");
}

#ifdef _WIN32
// Run by the build with Wine in a German locale (LC_ALL=de_DE.UTF-8), which groups with ".".
TEST(GermanLocale, ThousandsSeparatorIsTheUsers) {
  EXPECT_EQ(UserThousandsSeparator(), ".");
  EXPECT_EQ(FormatKilobytes(16 * kGiB, UserThousandsSeparator()), "16.777.216 KB");
}
#endif

TEST(EnglishLocale, ThousandsSeparatorIsAComma) { EXPECT_EQ(UserThousandsSeparator(), ","); }

}  // namespace
}  // namespace swivex::testing
