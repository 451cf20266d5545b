#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace swivex::glowdrift {

// The movie that the installer puts beside the installed saver.
inline constexpr char kInstalledMovieName[] = "Glowdrift.swf";

// What the saver writes on the screen about the installed movie.
struct MovieCaption {
  std::string headline;  // the movie's name and size, or that there is none
  std::string note;      // what the saver shows, and why when it is not the movie
};

// What the running saver shows of an installed movie.
enum class SaverShows {
  Movie,                   // a browser plays it on the primary monitor
  PicturesAsSet,           // its pictures: the settings turn the movie off
  PicturesWithoutBrowser,  // its pictures: neither Edge nor Chrome is installed
  PicturesAfterFailure,    // its pictures: the browser could not play it
};

// "1 byte", "12,345 bytes": digits grouped by three with commas, whatever the locale, so that
// the text reads the same on every machine.
std::string FormatByteCount(std::uint64_t count);

// The caption for an installed movie of the given size, or for none (whatever `shows` says).
MovieCaption DescribeInstalledMovie(std::optional<std::uint64_t> size, SaverShows shows);

}  // namespace swivex::glowdrift
