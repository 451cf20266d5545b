#include "screensaver-module/MovieCaption.h"

namespace swivex::glowdrift {

std::string FormatByteCount(std::uint64_t count) {
  const std::string digits = std::to_string(count);
  std::string grouped;
  for (std::size_t index = 0; index < digits.size(); ++index) {
    if (index > 0 && (digits.size() - index) % 3 == 0) grouped += ',';
    grouped += digits[index];
  }
  return grouped.append(count == 1 ? " byte" : " bytes");
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
        .append(" in the system folder.");
  }
  return {headline, note};
}

}  // namespace swivex::glowdrift
