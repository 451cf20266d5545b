#pragma once

#include <lzma.h>

#include <array>
#include <cstddef>
#include <cstdint>
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
// needs; a short one needs no more than its own bytes. So the decoder starts with a small
// dictionary and, each time the bytes decoded fill it, starts again with one four times as large
// on the compressed bytes taken so far (kept while the dictionary may grow), which it decodes
// again up to where it was. Memory and work follow the bytes decoded, not what the header says:
// a dictionary of at most four times those bytes, and decoding again at most four thirds of them.
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
  bool MayGrow() const { return options_.dict_size < fullDictionary_; }
  void StartDecoder();
  void GrowDictionary();
  std::size_t Decode(std::uint8_t* buffer, std::size_t count);
  bool RefillInput();
  bool InputExhausted() const { return sourceEnded_ && given_ == taken_.size(); }
  [[noreturn]] void Fail(lzma_ret result, std::uint64_t offset) const;

  ByteSource& compressed_;
  lzma_options_lzma options_{};
  std::uint32_t fullDictionary_ = 0;
  lzma_stream stream_ = LZMA_STREAM_INIT;
  // While the dictionary may grow: every compressed byte taken from the source, and how many
  // of them the decoder has been given.
  std::vector<std::uint8_t> taken_;
  std::size_t given_ = 0;
  std::array<std::uint8_t, 4096> input_{};
  std::uint64_t produced_ = 0;
  std::uint64_t remaining_;
  std::uint64_t offset_;
  bool sourceEnded_ = false;
  bool ended_ = false;
};

}  // namespace swivex::swf
