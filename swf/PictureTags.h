#pragma once

#include <optional>
#include <vector>

#include "swf/Picture.h"
#include "swf/SwfError.h"
#include "swf/TagBody.h"

namespace swivex::swf {

// Whether a tag code defines a picture.
std::optional<PictureTag> AsPictureTag(std::uint16_t code);

// Reads a picture tag's fields up to its image data: the character id, and the lossless
// format and size, or the JPEG3/4 alpha offset and deblocking parameter.
PictureInfo ReadPictureFields(TagBody& body, PictureTag tag);

// Why a walk keeps none of a picture's bytes: they are more than kMaxPictureBytes. Nothing if
// it may keep them.
std::optional<ESwfError> TooLargeToKeep(const PictureInfo& fields);

// Reads the rest of the tag into a picture (the movie's JPEG tables go with DefineBits) and
// completes its format and size from the bytes. Raises TooLargeToKeep's error first.
Picture ReadPictureBytes(TagBody& body, const PictureInfo& fields,
                         const std::vector<std::uint8_t>& jpegTables);

// Completes the format and size from as few of the image bytes as that takes, keeping none.
PictureInfo ProbePictureInPassing(TagBody& body, const PictureInfo& fields);

}  // namespace swivex::swf
