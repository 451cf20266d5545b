#pragma once

#include <array>
#include <cstdint>

#include "swf/ByteSource.h"
#include "swf/MovieStream.h"
#include "swf/SwfHeader.h"

namespace swivex::swf {

// The header fields in front of the (possibly compressed) body, as the file stores them.
struct FileHeader {
  Compression compression = Compression::kNone;
  std::uint8_t version = 0;
  std::uint32_t declaredLength = 0;
  std::uint32_t lzmaDataLength = 0;
  std::array<std::uint8_t, 5> lzmaProperties{};
};

// The uncompressed movie's offset of the first byte after the signature, version and length,
// whatever the compression: the body.
inline constexpr std::uint64_t kBodyOffset = 8;

// Reads the signature, version, declared length and, for ZWS, the LZMA fields.
FileHeader ReadFileHeader(ByteSource& file);

// Reads the frame rectangle, rate and count from the start of the uncompressed body.
void ReadFrameFields(MovieStream& movie, SwfHeader& header);

}  // namespace swivex::swf
