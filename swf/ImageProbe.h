#pragma once

#include <optional>

#include "swf/ByteSource.h"
#include "swf/Picture.h"

namespace swivex::swf {

struct ImageProbe {
  ImageFormat format = ImageFormat::kUnknown;
  std::optional<PixelSize> size;
};

// Tells JPEG, PNG and GIF data apart by their signatures (JPEG also behind the erroneous
// FF D9 FF D8 that many movie writers put in front) and reads the size in pixels from the
// PNG's IHDR, the GIF's screen descriptor or the JPEG's frame header. Reads only as far as
// that takes; data it does not understand is reported, not refused.
ImageProbe ProbeImage(ByteSource& data);

}  // namespace swivex::swf
