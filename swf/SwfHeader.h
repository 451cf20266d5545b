#pragma once

#include <cstdint>

namespace swivex::swf {

enum class Compression {
  kNone,  // FWS
  kZlib,  // CWS
  kLzma,  // ZWS
};

// The frame's rectangle in twips (1/20 pixel), as the header stores it.
struct TwipsRect {
  std::int32_t xMin = 0;
  std::int32_t xMax = 0;
  std::int32_t yMin = 0;
  std::int32_t yMax = 0;
};

// What a movie's header says of it.
struct SwfHeader {
  Compression compression = Compression::kNone;
  std::uint8_t version = 0;
  // The length of the whole movie uncompressed, header included: the file length field.
  std::uint32_t declaredLength = 0;
  // ZWS only: the length of the LZMA data that the header records, as written (not relied on).
  std::uint32_t lzmaDataLength = 0;
  TwipsRect frame;
  // Frames per second as 8.8 fixed point: 0x1800 is 24 frames a second.
  std::uint16_t frameRate = 0;
  std::uint16_t frameCount = 0;
  // The offset of the first tag in the uncompressed movie.
  std::uint64_t firstTagOffset = 0;

  std::int64_t WidthTwips() const { return std::int64_t{frame.xMax} - frame.xMin; }
  std::int64_t HeightTwips() const { return std::int64_t{frame.yMax} - frame.yMin; }
  double WidthPixels() const { return static_cast<double>(WidthTwips()) / 20.0; }
  double HeightPixels() const { return static_cast<double>(HeightTwips()) / 20.0; }
  double FramesPerSecond() const { return frameRate / 256.0; }
};

}  // namespace swivex::swf
