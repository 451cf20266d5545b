#include "swf/Picture.h"

#include "swf/TagNames.h"

namespace swivex::swf {

const char* PictureTagName(PictureTag tag) {
  const char* name = TagName(static_cast<std::uint16_t>(tag));
  return name != nullptr ? name : "picture tag";
}

const char* ImageFormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::kJpeg:
      return "JPEG";
    case ImageFormat::kPng:
      return "PNG";
    case ImageFormat::kGif:
      return "GIF";
    case ImageFormat::kLossless:
      return "lossless bitmap";
    case ImageFormat::kUnknown:
      break;
  }
  return "unknown";
}

}  // namespace swivex::swf
