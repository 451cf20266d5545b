#include <gtest/gtest.h>

#include "screensaver-module/MovieCaption.h"

namespace swivex::glowdrift {
namespace {

TEST(MovieCaption, ByteCountsAreGroupedByThousands) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0 bytes"},
      {1, "1 byte"},
      {2, "2 bytes"},
      {999, "999 bytes"},
      {1000, "1,000 bytes"},
      {12345, "12,345 bytes"},
      {999999, "999,999 bytes"},
      {1000000, "1,000,000 bytes"},
      {4294967296, "4,294,967,296 bytes"},
      {UINT64_MAX, "18,446,744,073,709,551,615 bytes"},
  };
  for (const auto& [count, text] : cases) EXPECT_EQ(FormatByteCount(count), text) << count;
}

TEST(MovieCaption, NamesTheInstalledMovieAndItsSize) {
  const MovieCaption caption = DescribeInstalledMovie(12345);
  EXPECT_EQ(caption.headline, "Glowdrift.swf (12,345 bytes)");
  EXPECT_EQ(caption.note,
            "Glowdrift shows the pictures inside the installed movie, with its name and size. It "
            "does not play the movie.");
}

TEST(MovieCaption, SaysSoWhenNoMovieIsInstalled) {
  const MovieCaption caption = DescribeInstalledMovie(std::nullopt);
  EXPECT_EQ(caption.headline,
            "No movie is installed: there is no Glowdrift.swf beside the screen saver.");
  EXPECT_EQ(caption.note, DescribeInstalledMovie(0).note);
}

}  // namespace
}  // namespace swivex::glowdrift
