#include "swf/PictureDecoding.h"

#include <string>
#include <utility>

#include "common/Exceptions.h"
#include "pictures/JpegPicture.h"
#include "swf/LosslessBitmap.h"
#include "swf/PictureFile.h"
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

void CheckPixelCount(const PictureInfo& info, PixelSize size, std::uint64_t mostPixels) {
  if (std::uint64_t{size.width} * size.height > mostPixels) {
    throw ESwfError(info.tagOffset, DescribePicture(info) + " is " + std::to_string(size.width) +
                                        "x" + std::to_string(size.height) +
                                        " pixels, more than the " + std::to_string(mostPixels) +
                                        " asked for");
  }
}

// The JPEG decoder's limit takes the header's word for the size; the tag's own probe may not
// have seen it.
BgraImage DecodeJpegData(const Picture& picture, std::uint64_t mostPixels) {
  const PictureInfo& info = picture.info;
  const PictureFile file = ToPictureFile(picture);
  BgraImage image;
  try {
    image = DecodeJpeg(file.bytes, static_cast<std::size_t>(mostPixels));
  } catch (const Exception& error) {
    throw ESwfError(info.dataOffset, DescribePicture(info) + ": " + error.Message());
  }
  const PixelSize size{image.width, image.height};
  CheckPictureSize(info, size, info.dataOffset);
  const std::vector<std::uint8_t> alpha = InflateJpegAlpha(picture, size);
  for (std::size_t pixel = 0; pixel < alpha.size(); ++pixel)
    image.pixels[pixel * 4 + 3] = alpha[pixel];
  return image;
}

}  // namespace

BgraImage DecodePicture(const Picture& picture, std::uint64_t mostPixels) {
  const PictureInfo& info = picture.info;
  if (info.size && info.format != ImageFormat::kJpeg) CheckPixelCount(info, *info.size, mostPixels);
  switch (info.format) {
    case ImageFormat::kLossless:
      return ToBgra(DecodeLossless(picture));
    case ImageFormat::kPng:
      return ToBgra(
          DecodePng(picture.data, info.dataOffset, DescribePicture(info) + "'s PNG data"));
    case ImageFormat::kJpeg:
      return DecodeJpegData(picture, mostPixels);
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
