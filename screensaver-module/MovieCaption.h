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
  std::string note;      // what the saver does and does not do
};

// "1 byte", "12,345 bytes": digits grouped by three with commas, whatever the locale, so that
// the text reads the same on every machine.
std::string FormatByteCount(std::uint64_t count);

// The caption for an installed movie of the given size, or for none.
MovieCaption DescribeInstalledMovie(std::optional<std::uint64_t> size);

}  // namespace swivex::glowdrift
