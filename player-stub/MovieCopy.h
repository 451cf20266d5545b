#pragma once

#include "playback/BoundedText.h"
#include "playback/FileSystem.h"
#include "player-stub/OwnMovie.h"

namespace swivex {

// Saves the movie of a projector as a .swf file in the folder "Swivex" in the temporary folder,
// named after the projector, and puts its full path into `savedPath`. A copy that already holds
// exactly the movie is used as it is, so that running a projector again adds nothing; a file of
// that name with other bytes keeps them, and the movie takes the next free name ("intro (2).swf",
// ...). A copy appears under its name only when complete. On failure, returns false with the
// reason in `failure`, and nothing that was written is left behind.
bool SaveMovieCopy(FileSystem& system, const OwnMovie& own, BoundedText& savedPath,
                   BoundedText& failure);

}  // namespace swivex
