#pragma once

#include <optional>

#include "playback/BoundedText.h"
#include "playback/FileAccess.h"
#include "playback/FileSystem.h"
#include "player-stub/EmbeddedMovie.h"

namespace swivex {

// The file that the running stub was started from, a projector or the bare stub, open to read
// (and only ever read), and the movie that it carries.
struct OwnMovie {
  BoundedText path;
  UniqueOpenedFile file;
  std::optional<MovieLocation> movie;  // none for a bare stub
};

// Opens the stub's own file and finds the movie from its last eight bytes. On failure, returns
// false with the reason in `failure`.
bool OpenOwnMovie(FileSystem& system, OwnMovie& own, BoundedText& failure);

}  // namespace swivex
