#include "swf/ImageProbe.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "swf/JpegMarkers.h"

namespace swivex::swf {
namespace {

using namespace jpeg;

std::uint16_t BigEndian16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
}

bool ReadAll(ByteSource& data, std::uint8_t* buffer, std::size_t count) {
  return ReadUpTo(data, buffer, count) == count;
}

bool SkipBytes(ByteSource& data, std::size_t count) {
  std::array<std::uint8_t, 512> scratch;
  while (count > 0) {
    const std::size_t step = count < scratch.size() ? count : scratch.size();
    if (!ReadAll(data, scratch.data(), step)) return false;
    count -= step;
  }
  return true;
}

// SOF0..SOF15 carry the frame's size; C4 (DHT), C8 (JPG) and CC (DAC) share the range.
bool IsStartOfFrame(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsStandalone(std::uint8_t marker) {
  return marker == kStartOfImage || marker == kEndOfImage || HasNoLength(marker);
}

// Walks the marker segments up to the first frame header; the SOI/EOI pairs of the erroneous
// header and of tables in front of the image are passed over.
std::optional<PixelSize> JpegSize(ByteSource& data) {
  for (;;) {
    std::uint8_t marker[2];
    if (!ReadAll(data, marker, 2) || marker[0] != kMarker) return std::nullopt;
    while (marker[1] == kMarker) {
      if (!ReadAll(data, marker + 1, 1)) return std::nullopt;
    }
    if (IsStandalone(marker[1])) continue;
    if (marker[1] == kStartOfScan) return std::nullopt;
    std::uint8_t length[2];
    if (!ReadAll(data, length, 2) || BigEndian16(length) < 2) return std::nullopt;
    std::size_t rest = BigEndian16(length) - 2u;
    if (IsStartOfFrame(marker[1])) {
      std::uint8_t frame[5];
      if (rest < sizeof frame || !ReadAll(data, frame, sizeof frame)) return std::nullopt;
      return PixelSize{BigEndian16(frame + 3), BigEndian16(frame + 1)};
    }
    if (!SkipBytes(data, rest)) return std::nullopt;
  }
}

}  // namespace

ImageProbe ProbeImage(ByteSource& data) {
  static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::uint8_t start[24] = {};
  if (!ReadAll(data, start, 2)) return {};

  if (start[0] == kMarker && (start[1] == kStartOfImage || start[1] == kEndOfImage)) {
    return {ImageFormat::kJpeg, JpegSize(data)};
  }
  if (start[0] == kPngSignature[0] && start[1] == kPngSignature[1]) {
    const std::size_t got = 2 + ReadUpTo(data, start + 2, 22);
    if (got < 8 || !std::equal(kPngSignature, kPngSignature + 8, start)) return {};
    ImageProbe probe{ImageFormat::kPng, std::nullopt};
    static constexpr std::uint8_t kIhdr[4] = {'I', 'H', 'D', 'R'};
    if (got == 24 && std::equal(kIhdr, kIhdr + 4, start + 12)) {
      probe.size = PixelSize{BigEndian16(start + 16) * 65536u + BigEndian16(start + 18),
                             BigEndian16(start + 20) * 65536u + BigEndian16(start + 22)};
    }
    return probe;
  }
  if (start[0] == 'G' && start[1] == 'I') {
    const std::size_t got = 2 + ReadUpTo(data, start + 2, 8);
    if (got < 6 || start[2] != 'F' || start[3] != '8' || (start[4] != '7' && start[4] != '9') ||
        start[5] != 'a') {
      return {};
    }
    ImageProbe probe{ImageFormat::kGif, std::nullopt};
    if (got == 10) {
      probe.size = PixelSize{static_cast<std::uint32_t>(start[6] | start[7] << 8),
                             static_cast<std::uint32_t>(start[8] | start[9] << 8)};
    }
    return probe;
  }
  return {};
}

}  // namespace swivex::swf
