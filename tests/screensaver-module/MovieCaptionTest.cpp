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

struct CaptionCase {
  std::optional<std::uint64_t> size;
  SaverShows shows;
  const char* headline;
  const char* note;
};

TEST(MovieCaption, NamesTheInstalledMovieAndSaysWhatTheSaverShows) {
  const CaptionCase cases[] = {
      {12345, SaverShows::Movie, "Glowdrift.swf (12,345 bytes)",
       "Glowdrift plays the installed movie on the main monitor."},
      {1, SaverShows::PicturesAsSet, "Glowdrift.swf (1 byte)",
       "Glowdrift shows the pictures inside the installed movie: its settings say not to play "
       "it."},
      {0, SaverShows::PicturesWithoutBrowser, "Glowdrift.swf (0 bytes)",
       "Glowdrift shows the pictures inside the installed movie: it needs Microsoft Edge or "
       "Google Chrome to play it."},
      {12345, SaverShows::PicturesAfterFailure, "Glowdrift.swf (12,345 bytes)",
       "Glowdrift shows the pictures inside the installed movie: the browser could not play "
       "it."},
      {std::nullopt, SaverShows::Movie,
       "No movie is installed: there is no Glowdrift.swf beside the screen saver.",
       "Glowdrift plays the movie that Swivex installs as the screen saver."},
      {std::nullopt, SaverShows::PicturesWithoutBrowser,
       "No movie is installed: there is no Glowdrift.swf beside the screen saver.",
       "Glowdrift plays the movie that Swivex installs as the screen saver."},
  };
  for (const CaptionCase& test : cases) {
    SCOPED_TRACE(test.headline);
    const MovieCaption caption = DescribeInstalledMovie(test.size, test.shows);
    EXPECT_EQ(caption.headline, test.headline);
    EXPECT_EQ(caption.note, test.note);
  }
}

}  // namespace
}  // namespace swivex::glowdrift
