#include "screensaver-module/MovieCaption.h"

#include "winsupport/DigitGrouping.h"

namespace swivex::glowdrift {

namespace {

const char* NoteFor(SaverShows shows) {
  switch (shows) {
    case SaverShows::Movie:
      return "Glowdrift plays the installed movie on the main monitor.";
    case SaverShows::PicturesAsSet:
      return "Glowdrift shows the pictures inside the installed movie: its settings say not to "
             "play it.";
    case SaverShows::PicturesWithoutBrowser:
      return "Glowdrift shows the pictures inside the installed movie: it needs Microsoft Edge "
             "or Google Chrome to play it.";
    case SaverShows::PicturesAfterFailure:
      break;
  }
  return "Glowdrift shows the pictures inside the installed movie: the browser could not play it.";
}

}  // namespace

std::string FormatByteCount(std::uint64_t count) {
  return win::GroupDigits(count, ",").append(count == 1 ? " byte" : " bytes");
}

MovieCaption DescribeInstalledMovie(std::optional<std::uint64_t> size, SaverShows shows) {
  if (!size) {
    return {std::string("No movie is installed: there is no ") + kInstalledMovieName +
                " beside the screen saver.",
            "Glowdrift plays the movie that Swivex installs as the screen saver."};
  }
  std::string headline;
  headline.append(kInstalledMovieName).append(" (").append(FormatByteCount(*size)).append(")");
  return {headline, NoteFor(shows)};
}

}  // namespace swivex::glowdrift
