#include "screensaver-module/MovieCaption.h"

#include "winsupport/DigitGrouping.h"

namespace swivex::glowdrift {

std::string FormatByteCount(std::uint64_t count) {
  return win::GroupDigits(count, ",").append(count == 1 ? " byte" : " bytes");
}

MovieCaption DescribeInstalledMovie(std::optional<std::uint64_t> size) {
  const std::string note =
      "Glowdrift shows the installed movie's name and size. It does not play Flash movies.";
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
