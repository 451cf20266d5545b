#include "screensaver-module/PictureChoice.h"

#include <algorithm>

namespace swivex::glowdrift {

namespace {

bool WorthReading(const swf::PictureInfo& picture) {
  switch (picture.format) {
    case swf::ImageFormat::kJpeg:
    case swf::ImageFormat::kPng:
    case swf::ImageFormat::kLossless:
      break;
    case swf::ImageFormat::kGif:
    case swf::ImageFormat::kUnknown:
      return false;
  }
  if (std::uint64_t{picture.dataLength} + picture.alphaLength > kMostPictureBytes) return false;
  return !picture.size ||
         std::uint64_t{picture.size->width} * picture.size->height <= kMostDecodedPixels;
}

// Unknown sizes rank as no pixels at all.
std::uint64_t Area(const swf::PictureInfo& picture) {
  return picture.size ? std::uint64_t{picture.size->width} * picture.size->height : 0;
}

}  // namespace

std::vector<swf::PictureInfo> RankPictures(const std::vector<swf::PictureInfo>& pictures) {
  std::vector<swf::PictureInfo> ranked;
  std::copy_if(pictures.begin(), pictures.end(), std::back_inserter(ranked), WorthReading);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return Area(a) > Area(b); });
  if (ranked.size() > kMostDecodeAttempts) ranked.resize(kMostDecodeAttempts);
  return ranked;
}

}  // namespace swivex::glowdrift
