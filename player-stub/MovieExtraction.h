#pragma once

#include "playback/BoundedText.h"
#include "playback/FileSystem.h"

namespace swivex {

enum class Extraction {
  Saved,       // the movie's copy is at the saved path
  BareStub,    // no movie behind the stub: it was run on its own
  EmptyMovie,  // a projector made from an empty movie: nothing to save
  Failed,      // the reason is in the failure text
};

// Finds the movie behind the running stub and saves it as a .swf file in the temporary folder,
// or reuses the copy that an earlier run saved (see SaveMovieCopy). Reaches the system only
// through `system`, and leaves no file of its own open.
Extraction ExtractOwnMovie(FileSystem& system, BoundedText& savedPath, BoundedText& failure);

}  // namespace swivex
