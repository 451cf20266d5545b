#pragma once

#include "swf/MovieReader.h"
#include "swf/MovieStream.h"

namespace swivex::swf {

// Walks the tags from the movie's position up to the End tag, counting them, reading the file
// attributes and the pictures into `summary` (and their bytes to `visitor`, if any), then
// checks that the movie ends at its declared length.
void WalkTags(MovieStream& movie, PictureVisitor* visitor, MovieSummary& summary);

}  // namespace swivex::swf
