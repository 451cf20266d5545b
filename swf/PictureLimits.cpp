#include "swf/PictureLimits.h"

#include "swf/SwfError.h"

namespace swivex::swf {

std::string DescribePicture(const PictureInfo& info) {
  return "picture " + std::to_string(info.characterId) + " (" + PictureTagName(info.tag) + ")";
}

void CheckPictureSize(const PictureInfo& info, PixelSize size, std::uint64_t offset) {
  const auto dimensions = [&] {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
  };
  if (size.width == 0 || size.height == 0) {
    throw ESwfError(offset, DescribePicture(info) + " has no pixels (" + dimensions() + ")");
  }
  if (size.width > kMaxPictureSide || size.height > kMaxPictureSide ||
      std::uint64_t{size.width} * size.height > kMaxPicturePixels) {
    throw ESwfError(offset, DescribePicture(info) + " is " + dimensions() +
                                " pixels, larger than this reader decodes (" +
                                std::to_string(kMaxPictureSide) + " a side, " +
                                std::to_string(kMaxPicturePixels >> 20) + " megapixels)");
  }
}

}  // namespace swivex::swf
