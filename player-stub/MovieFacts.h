#pragma once

#include <cstdint>

#include "playback/FileAccess.h"
#include "playback/MovieLocation.h"

namespace swivex {

// What the stub knows of its movie before it opens a window for it.
struct MovieFacts {
  // The stage in whole pixels; 0 x 0 when it is not known.
  std::uint32_t stageWidth = 0;
  std::uint32_t stageHeight = 0;
  // The first frame asks for full screen.
  bool asksFullScreen = false;

  friend bool operator==(const MovieFacts&, const MovieFacts&) = default;
};

// Reads the header and the first frame of the movie that lies at `movie` in `file`. A movie
// that cannot be read as one, damaged or not a movie at all, and a file that cannot be read,
// give no facts: the movie's window then opens as it would without them. The stub is built
// without exceptions; the movie reader raises them, and they end here.
MovieFacts ReadMovieFacts(OpenedFile file, MovieLocation movie) noexcept;

}  // namespace swivex
