#pragma once

#include <optional>

#include "playback/StubFileAccess.h"
#include "playback/StubSystem.h"
#include "playback/StubText.h"
#include "player-stub/EmbeddedMovie.h"

namespace swivex {

// The file that the running stub was started from, a projector or the bare stub, open to read
// (and only ever read), and the movie that it carries.
struct OwnMovie {
  StubText path;
  UniqueStubFile file;
  std::optional<MovieLocation> movie;  // none for a bare stub
};

// Opens the stub's own file and finds the movie from its last eight bytes. On failure, returns
// false with the reason in `failure`.
bool OpenOwnMovie(StubSystem& system, OwnMovie& own, StubText& failure);

}  // namespace swivex
