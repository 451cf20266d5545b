#include "swf/PictureDecoding.h"

#include <utility>

#include "swf/LosslessBitmap.h"
#include "swf/PictureLimits.h"
#include "swf/PngDecoder.h"
#include "swf/SwfError.h"
#include "swf/ZlibInflate.h"

namespace swivex::swf {
namespace {

BgraImage ToBgra(RgbaImage image) {
  for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
    std::swap(image.pixels[i], image.pixels[i + 2]);
  }
  return {image.width, image.height, std::move(image.pixels)};
}

}  // namespace

BgraImage DecodePicture(const Picture& picture) {
  const PictureInfo& info = picture.info;
  switch (info.format) {
    case ImageFormat::kLossless:
      return ToBgra(DecodeLossless(picture));
    case ImageFormat::kPng:
      return ToBgra(
          DecodePng(picture.data, info.dataOffset, DescribePicture(info) + "'s PNG data"));
    case ImageFormat::kJpeg:
      throw ESwfError(info.dataOffset,
                      DescribePicture(info) + " is JPEG data, which goes to the JPEG decoder");
    case ImageFormat::kGif:
      throw ESwfError(info.dataOffset,
                      DescribePicture(info) + " is GIF data, which this reader does not decode");
    case ImageFormat::kUnknown:
      break;
  }
  throw ESwfError(info.dataOffset,
                  DescribePicture(info) + " holds data that is neither JPEG, PNG nor GIF");
}

std::vector<std::uint8_t> InflateJpegAlpha(const Picture& picture, PixelSize size) {
  const PictureInfo& info = picture.info;
  if (picture.alpha.empty()) return {};
  CheckPictureSize(info, size, info.tagOffset);
  return InflateExactly(picture.alpha, std::uint64_t{size.width} * size.height,
                        info.dataOffset + info.dataLength, DescribePicture(info) + "'s alpha data");
}

}  // namespace swivex::swf
