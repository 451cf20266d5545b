#include "swf/PictureFile.h"

#include "swf/JpegCleanup.h"
#include "swf/LosslessBitmap.h"
#include "swf/PictureLimits.h"
#include "swf/PngWriter.h"
#include "swf/SwfError.h"

namespace swivex::swf {

PictureFile ToPictureFile(const Picture& picture) {
  const PictureInfo& info = picture.info;
  switch (info.format) {
    case ImageFormat::kJpeg:
      return {CleanJpeg(picture.jpegTables, picture.data, info.dataOffset, DescribePicture(info)),
              ".jpg", !picture.alpha.empty()};
    case ImageFormat::kPng:
      return {picture.data, ".png", false};
    case ImageFormat::kGif:
      return {picture.data, ".gif", false};
    case ImageFormat::kLossless:
      return {EncodePng(DecodeLossless(picture), info.hasAlpha), ".png", false};
    case ImageFormat::kUnknown:
      break;
  }
  throw ESwfError(info.dataOffset, DescribePicture(info) +
                                       " holds data that is neither JPEG, "
                                       "PNG nor GIF");
}

}  // namespace swivex::swf
