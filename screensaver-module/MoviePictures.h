#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "pictures/BgraImage.h"
#include "swf/ByteSource.h"

namespace swivex::glowdrift {

// Opens the movie from its first byte; called once for each walk over it.
using MovieOpener = std::function<std::unique_ptr<swf::ByteSource>()>;

// Up to kMostShownPictures of the movie's pictures, largest first (RankPictures), each shrunk
// and premultiplied for drawing (ShrinkAndPremultiply to kLongestKeptSide). A picture that
// fails to decode or that the walk refuses is skipped; a defect in the movie ends the reading
// with the pictures found before it; a file that is no movie raises its error. The first walk
// keeps no picture bytes, the second keeps one picture's at a time.
std::vector<BgraImage> ReadMoviePictures(const MovieOpener& open);

}  // namespace swivex::glowdrift
