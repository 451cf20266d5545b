#pragma once

#include <lzma.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "swf/ByteSource.h"

namespace swivex::swf {

// The decoded bytes of a ZWS movie's LZMA body, read from the compressed source a few
// kilobytes at a time, and never more than `length` of them.
//
// A ZWS body is raw LZMA data behind its five property bytes, with no size of its own: some
// writers end it with an end marker, others do not. liblzma's raw LZMA1 decoder reads both, and
// this source stops at the movie's declared length itself.
//
// The dictionary that the properties ask for, cut to the body's length, is what a long movie
// needs; a short one needs no more than its own bytes, and both figures come from a header that
// may lie. liblzma fixes a decoder's dictionary when it starts, so the decoder starts with a small
// one and decodes no further than it holds; once the bytes decoded fill it, the decoder starts
// again with one four times as large, from the body's first compressed byte, and decodes again up
// to where it was. Memory and work follow the bytes decoded, not what the header says: a
// dictionary of at most four times those bytes, and decoding again at most four thirds of them.
class LzmaSource final : public ByteSource {
 public:
  // The most memory the decoder may take, chiefly for its dictionary: a movie whose properties
  // ask for more is refused at once.
  static constexpr std::uint64_t kMemoryLimit = 256u << 20;
  static constexpr std::uint32_t kFirstDictionary = 64u << 10;

  LzmaSource(ByteSource& compressed, const std::array<std::uint8_t, 5>& properties,
             std::uint64_t length, std::uint64_t startOffset);
  LzmaSource(const LzmaSource&) = delete;
  LzmaSource& operator=(const LzmaSource&) = delete;
  ~LzmaSource() override;

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;

  // The dictionary that the decoder has now.
  std::uint32_t DictionarySize() const { return options_.dict_size; }

 private:
  struct Step {
    lzma_ret result;
    std::size_t produced;
  };

  bool MayGrow() const { return options_.dict_size < wholeDictionary_; }
  void StartDecoder(std::uint32_t dictionary);
  void GrowDictionary();
  std::size_t Decode(std::span<std::uint8_t> output, std::uint64_t offset);
  Step Code(std::span<std::uint8_t> output);
  void TakeInput();

  ByteSource& compressed_;
  lzma_options_lzma options_{};
  std::uint32_t wholeDictionary_ = 0;
  lzma_stream stream_ = LZMA_STREAM_INIT;
  // The compressed bytes taken from the source, the first `fed_` of them given to the decoder.
  // While the dictionary may grow they are every byte since the body's first, for the decoder
  // to start again from; once it is whole, those the decoder took are dropped.
  std::vector<std::uint8_t> input_;
  std::size_t fed_ = 0;
  std::uint64_t length_;
  std::uint64_t startOffset_;
  std::uint64_t produced_ = 0;
  bool sourceEnded_ = false;
  bool ended_ = false;
};

}  // namespace swivex::swf
