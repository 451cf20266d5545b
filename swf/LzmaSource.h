#pragma once

#include <lzma.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "swf/ByteSource.h"

namespace swivex::swf {

// The decoded bytes of a ZWS movie's LZMA body, read from the compressed source a few
// kilobytes at a time, and never more than `length` of them.
//
// A ZWS body is raw LZMA data behind its five property bytes, with no size of its own: some
// writers end it with an end marker, others do not. liblzma's .lzma decoder is fed a header
// made of the properties and "size unknown", and this source stops at the movie's declared
// length itself, which reads both kinds.
class LzmaSource final : public ByteSource {
 public:
  // The most memory the decoder may take, chiefly for its dictionary.
  static constexpr std::uint64_t kMemoryLimit = 256u << 20;

  LzmaSource(ByteSource& compressed, const std::array<std::uint8_t, 5>& properties,
             std::uint64_t length, std::uint64_t startOffset);
  LzmaSource(const LzmaSource&) = delete;
  LzmaSource& operator=(const LzmaSource&) = delete;
  ~LzmaSource() override;

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;

 private:
  bool RefillInput();
  [[noreturn]] void Fail(lzma_ret result) const;

  ByteSource& compressed_;
  lzma_stream stream_ = LZMA_STREAM_INIT;
  std::array<std::uint8_t, 4096> input_{};
  std::uint64_t remaining_;
  std::uint64_t offset_;
  bool inputEnded_ = false;
  bool ended_ = false;
};

}  // namespace swivex::swf
