#pragma once

#include <cstddef>
#include <cstdint>

#include "swf/ByteSource.h"

namespace swivex::swf {

// A movie's decompressed body, refused once it holds more than kMostExpansion bytes for each
// compressed byte read for it, beyond the first kFreeBytes. A movie's body compresses a few
// times, seldom ten; a few bytes that decompress to megabytes of tags (LZMA makes 7000 bytes of
// one, deflate 1032) would make reading cost what they claim rather than what the file holds.
class ExpansionLimit final : public ByteSource {
 public:
  static constexpr std::uint64_t kMostExpansion = 256;
  static constexpr std::uint64_t kFreeBytes = 4096;

  // `compressed` counts what the decompressor of `body` has read; `startOffset` is the movie's
  // offset of the body's first byte, for error texts.
  ExpansionLimit(ByteSource& body, const CountingSource& compressed, std::uint64_t startOffset)
      : body_(body), compressed_(compressed), startOffset_(startOffset) {}

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;

 private:
  ByteSource& body_;
  const CountingSource& compressed_;
  std::uint64_t startOffset_;
  std::uint64_t produced_ = 0;
};

}  // namespace swivex::swf
