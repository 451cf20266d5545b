#include "swf/LzmaSource.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "swf/SwfError.h"

namespace swivex::swf {
namespace {

constexpr std::uint32_t kGrowth = 4;

// The options that the five property bytes hold: lc, lp and pb, and the dictionary size.
lzma_ret DecodeProperties(const std::array<std::uint8_t, 5>& properties,
                          lzma_options_lzma& options) {
  lzma_filter filter{LZMA_FILTER_LZMA1, nullptr};
  const lzma_ret result =
      lzma_properties_decode(&filter, nullptr, properties.data(), properties.size());
  const std::unique_ptr<void, decltype(&std::free)> owned(filter.options, &std::free);
  if (result == LZMA_OK) options = *static_cast<const lzma_options_lzma*>(filter.options);
  return result;
}

std::uint64_t MemoryFor(lzma_options_lzma options) {
  const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
  return lzma_raw_decoder_memusage(filters);
}

}  // namespace

LzmaSource::LzmaSource(ByteSource& compressed, const std::array<std::uint8_t, 5>& properties,
                       std::uint64_t length, std::uint64_t startOffset)
    : compressed_(compressed), remaining_(length), offset_(startOffset) {
  const lzma_ret result = DecodeProperties(properties, options_);
  if (result != LZMA_OK) Fail(result, offset_);
  // A dictionary larger than the whole body is never used.
  fullDictionary_ = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(options_.dict_size, std::max<std::uint64_t>(length, 4096)));
  options_.dict_size = fullDictionary_;
  const std::uint64_t memory = MemoryFor(options_);
  if (memory == UINT64_MAX) Fail(LZMA_OPTIONS_ERROR, offset_);
  if (memory > kMemoryLimit) Fail(LZMA_MEMLIMIT_ERROR, offset_);
  options_.dict_size = std::min(fullDictionary_, kFirstDictionary);
  StartDecoder();
}

LzmaSource::~LzmaSource() { lzma_end(&stream_); }

void LzmaSource::StartDecoder() {
  const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options_}, {LZMA_VLI_UNKNOWN, nullptr}};
  const lzma_ret result = lzma_raw_decoder(&stream_, filters);
  if (result != LZMA_OK) Fail(result, offset_);
  stream_.next_in = nullptr;
  stream_.avail_in = 0;
  given_ = 0;
}

// The bytes decoded so far filled the dictionary: a new decoder with a larger one decodes them
// again from the compressed bytes kept, and goes on from there.
void LzmaSource::GrowDictionary() {
  options_.dict_size = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(std::uint64_t{options_.dict_size} * kGrowth, fullDictionary_));
  StartDecoder();
  std::array<std::uint8_t, 4096> again;
  for (std::uint64_t left = produced_; left > 0;) {
    const std::size_t step = static_cast<std::size_t>(std::min<std::uint64_t>(left, again.size()));
    const std::size_t decoded = Decode(again.data(), step);
    // The same bytes gave as many before: fewer now means liblzma failed us.
    if (decoded == 0) Fail(LZMA_PROG_ERROR, offset_);
    left -= decoded;
  }
}

bool LzmaSource::RefillInput() {
  if (given_ < taken_.size()) {
    stream_.next_in = taken_.data() + given_;
    stream_.avail_in = taken_.size() - given_;
    given_ = taken_.size();
    return true;
  }
  if (!MayGrow() && !taken_.empty()) {
    // The dictionary is whole and the decoder has taken every byte kept: none is needed again.
    taken_ = {};
    given_ = 0;
  }
  if (sourceEnded_) return false;
  std::uint8_t* into = input_.data();
  if (MayGrow()) {
    // Called only once the decoder has taken all it was given: no pointer into taken_ is live.
    taken_.resize(given_ + input_.size());
    into = taken_.data() + given_;
  }
  const std::size_t arrived = compressed_.Read(into, input_.size());
  if (MayGrow()) {
    taken_.resize(given_ + arrived);
    given_ = taken_.size();
  }
  sourceEnded_ = arrived == 0;
  stream_.next_in = into;
  stream_.avail_in = arrived;
  return arrived > 0;
}

void LzmaSource::Fail(lzma_ret result, std::uint64_t offset) const {
  switch (result) {
    case LZMA_MEM_ERROR:
      throw ESwfError(offset, "liblzma ran out of memory decoding the movie");
    case LZMA_MEMLIMIT_ERROR:
      throw ESwfError(offset, "the movie's LZMA dictionary needs more than " +
                                  std::to_string(kMemoryLimit >> 20) +
                                  " MiB, more than this reader allows");
    case LZMA_FORMAT_ERROR:
    case LZMA_OPTIONS_ERROR:
      throw ESwfError(offset, "the movie's LZMA properties are invalid");
    default:
      throw ESwfError(offset, "the movie's LZMA data is damaged (liblzma error " +
                                  std::to_string(static_cast<int>(result)) + ")");
  }
}

// Decodes up to `count` bytes, at least one unless the data ended. Decoding goes on after the
// input ended, as liblzma may still hold output of the last input it took; it says
// LZMA_BUF_ERROR once nothing more can come.
std::size_t LzmaSource::Decode(std::uint8_t* buffer, std::size_t count) {
  stream_.next_out = buffer;
  stream_.avail_out = count;
  while (!ended_ && count > 0 && stream_.avail_out == count) {
    if (stream_.avail_in == 0) RefillInput();
    const lzma_ret result = lzma_code(&stream_, LZMA_RUN);
    if (result == LZMA_STREAM_END || (result == LZMA_BUF_ERROR && InputExhausted())) {
      ended_ = true;
    } else if (result != LZMA_OK) {
      Fail(result, offset_ + (count - stream_.avail_out));
    }
  }
  return count - stream_.avail_out;
}

std::size_t LzmaSource::Read(std::uint8_t* buffer, std::size_t count) {
  if (!ended_ && MayGrow() && produced_ == options_.dict_size) GrowDictionary();
  std::uint64_t room = remaining_;
  if (MayGrow()) room = std::min<std::uint64_t>(room, options_.dict_size - produced_);
  const std::size_t decoded =
      Decode(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(count, room)));
  produced_ += decoded;
  remaining_ -= decoded;
  offset_ += decoded;
  return decoded;
}

}  // namespace swivex::swf
