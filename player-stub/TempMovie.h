#pragma once

#include "player-stub/EmbeddedMovie.h"
#include "player-stub/StubText.h"

namespace swivex {

class OwnFile;

// Copies the movie out of the projector into a new .swf file in the user's temporary folder,
// named after the projector, and puts its full path into `savedPath`. The file is always a new
// one: an existing file is never opened, let alone overwritten. On failure, returns false with
// the reason in `failure`, and nothing that was written is left behind.
bool SaveMovieToTemp(OwnFile& projector, const MovieLocation& movie, StubText& savedPath,
                     StubText& failure);

}  // namespace swivex
