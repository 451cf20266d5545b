#pragma once

#include <cstdint>

#include "playback/BrowserSystem.h"
#include "playback/FileAccess.h"
#include "playback/MovieLocation.h"

namespace swivex {

// The window that the movie asks for, read from the header and the first frame of the movie that
// lies at `movie` in `file`. A movie
// that cannot be read as one, damaged or not a movie at all, and a file that cannot be read,
// give an AppWindow of no stage: the movie's window then opens as it would without them. The stub
// is built without exceptions; the movie reader raises them, and they end here.
AppWindow ReadMovieFacts(OpenedFile file, MovieLocation movie) noexcept;

}  // namespace swivex
