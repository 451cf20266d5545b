#include "screensaver-module/MovieCaption.h"

#include "winsupport/DigitGrouping.h"

namespace swivex::glowdrift {

std::string FormatByteCount(std::uint64_t count) {
  return win::GroupDigits(count, ",").append(count == 1 ? " byte" : " bytes");
}

MovieCaption DescribeInstalledMovie(std::optional<std::uint64_t> size) {
  // True whether the movie holds pictures or not: without any, the saver shows what it has.
  const std::string note =
      "Glowdrift shows the pictures inside the installed movie, with its name and size. It does "
      "not play the movie.";
  std::string headline;
  if (size) {
    headline.append(kInstalledMovieName).append(" (").append(FormatByteCount(*size)).append(")");
  } else {
    headline.append("No movie is installed: there is no ")
        .append(kInstalledMovieName)
        .append(" beside the screen saver.");
  }
  return {headline, note};
}

}  // namespace swivex::glowdrift
