#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "swf/ByteSource.h"

namespace swivex::swf::testing {

using Bytes = std::vector<std::uint8_t>;

Bytes Le16(std::uint16_t value);
Bytes Le32(std::uint32_t value);
Bytes operator+(Bytes left, const Bytes& right);
Bytes ZlibCompress(const Bytes& bytes);

// The frame fields every built movie starts with: 550x400 pixels (0..11000 x 0..8000 twips in
// 15-bit fields), 24 frames a second, one frame. The first tag follows at offset 21.
inline const Bytes kFrameFields = {0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F,
                                   0xA0, 0x00, 0x00, 0x18, 0x01, 0x00};
inline constexpr std::uint64_t kFirstTag = 21;

// Writes a movie the way movie writers do: the frame fields, tags, then the header, as FWS,
// or compressed with zlib (CWS) or LZMA (ZWS).
class MovieBuilder {
 public:
  // A short header for bodies under 63 bytes, else a long one.
  MovieBuilder& Tag(std::uint16_t code, const Bytes& body);
  MovieBuilder& LongTag(std::uint16_t code, const Bytes& body);
  MovieBuilder& Raw(const Bytes& bytes);
  MovieBuilder& End() { return Tag(0, {}); }

  // The uncompressed movie after its first 8 bytes.
  const Bytes& Body() const { return body_; }
  std::uint32_t Length() const { return static_cast<std::uint32_t>(8 + body_.size()); }

  // `declared` replaces the true length in the header.
  Bytes Fws(std::optional<std::uint32_t> declared = std::nullopt) const;
  Bytes Cws(std::optional<std::uint32_t> declared = std::nullopt) const;
  Bytes Zws(std::optional<std::uint32_t> declared = std::nullopt) const;

 private:
  Bytes body_ = kFrameFields;
};

// A PNG chunk with its length and CRC, and a PNG file of 8-bit samples: `rows` are the
// filtered rows, `beforeData` chunks that go between IHDR and IDAT.
Bytes PngChunk(const char (&type)[5], const Bytes& data);
Bytes PngFile(std::uint32_t width, std::uint32_t height, std::uint8_t colourType, const Bytes& rows,
              const Bytes& beforeData = {}, std::uint8_t depth = 8, std::uint8_t interlace = 0);

// Compresses with LZMA as ZWS movies carry it: the 5 property bytes, then the LZMA data.
Bytes LzmaPropertiesAndData(const Bytes& bytes);

}  // namespace swivex::swf::testing
