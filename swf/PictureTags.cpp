#include "swf/PictureTags.h"

#include <string>

#include "swf/ImageProbe.h"
#include "swf/PictureLimits.h"
#include "swf/SwfError.h"

namespace swivex::swf {
namespace {

bool IsLossless(PictureTag tag) {
  return tag == PictureTag::kDefineBitsLossless || tag == PictureTag::kDefineBitsLossless2;
}

bool HasAlphaData(PictureTag tag) {
  return tag == PictureTag::kDefineBitsJpeg3 || tag == PictureTag::kDefineBitsJpeg4;
}

void ReadLosslessFields(TagBody& body, PictureInfo& info) {
  const std::uint64_t formatOffset = body.Offset();
  info.losslessFormat = body.ReadU8("bitmap format");
  const bool known = info.losslessFormat == 3 || info.losslessFormat == 5 ||
                     (info.losslessFormat == 4 && info.tag == PictureTag::kDefineBitsLossless);
  if (!known) {
    throw ESwfError(formatOffset, DescribePicture(info) + " has bitmap format " +
                                      std::to_string(info.losslessFormat) +
                                      ", which that tag does not define");
  }
  const std::uint16_t width = body.ReadU16("width");
  const std::uint16_t height = body.ReadU16("height");
  info.size = PixelSize{width, height};
  if (info.losslessFormat == 3) info.colorCount = body.ReadU8("colour table size") + 1u;
  info.format = ImageFormat::kLossless;
  info.hasAlpha = info.tag == PictureTag::kDefineBitsLossless2;
}

void ApplyProbe(PictureInfo& info, const ImageProbe& probe) {
  info.format = probe.format;
  info.size = probe.size;
}

}  // namespace

std::optional<PictureTag> AsPictureTag(std::uint16_t code) {
  switch (static_cast<PictureTag>(code)) {
    case PictureTag::kDefineBits:
    case PictureTag::kDefineBitsLossless:
    case PictureTag::kDefineBitsJpeg2:
    case PictureTag::kDefineBitsJpeg3:
    case PictureTag::kDefineBitsLossless2:
    case PictureTag::kDefineBitsJpeg4:
      return static_cast<PictureTag>(code);
  }
  return std::nullopt;
}

PictureInfo ReadPictureFields(TagBody& body, PictureTag tag) {
  PictureInfo info;
  info.tag = tag;
  info.tagOffset = body.TagOffset();
  info.characterId = body.ReadU16("character id");
  if (IsLossless(tag)) {
    ReadLosslessFields(body, info);
  } else if (HasAlphaData(tag)) {
    const std::uint64_t fieldOffset = body.Offset();
    const std::uint32_t imageLength = body.ReadU32("alpha data offset");
    if (tag == PictureTag::kDefineBitsJpeg4) info.deblocking = body.ReadU16("deblocking parameter");
    if (imageLength > body.Remaining()) {
      throw ESwfError(fieldOffset, DescribePicture(info) + " puts its alpha data at " +
                                       std::to_string(imageLength) + " bytes, past " +
                                       body.Describe() + "'s end");
    }
    info.alphaLength = static_cast<std::uint32_t>(body.Remaining() - imageLength);
    info.hasAlpha = info.alphaLength > 0;
  }
  info.dataOffset = body.Offset();
  info.dataLength = static_cast<std::uint32_t>(body.Remaining() - info.alphaLength);
  return info;
}

std::optional<ESwfError> TooLargeToKeep(const PictureInfo& fields) {
  const std::uint64_t stored = std::uint64_t{fields.dataLength} + fields.alphaLength;
  if (stored <= kMaxPictureBytes) return std::nullopt;
  return ESwfError(fields.dataOffset, DescribePicture(fields) + " holds " + std::to_string(stored) +
                                          " bytes, more than this reader keeps of a picture");
}

Picture ReadPictureBytes(TagBody& body, const PictureInfo& fields,
                         const std::vector<std::uint8_t>& jpegTables) {
  if (const auto refusal = TooLargeToKeep(fields)) throw *refusal;
  Picture picture;
  picture.info = fields;
  body.Append(picture.data, fields.dataLength, "picture data");
  body.Append(picture.alpha, fields.alphaLength, "alpha data");
  if (fields.tag == PictureTag::kDefineBits) picture.jpegTables = jpegTables;
  if (!IsLossless(fields.tag)) {
    MemorySource data(picture.data);
    ApplyProbe(picture.info, ProbeImage(data));
  }
  return picture;
}

PictureInfo ProbePictureInPassing(TagBody& body, const PictureInfo& fields) {
  PictureInfo info = fields;
  if (!IsLossless(fields.tag)) {
    TagBytes data(body, fields.dataLength);
    ApplyProbe(info, ProbeImage(data));
  }
  return info;
}

}  // namespace swivex::swf
