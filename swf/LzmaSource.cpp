#include "swf/LzmaSource.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "swf/SwfError.h"

namespace swivex::swf {
namespace {

constexpr std::uint32_t kGrowth = 4;
constexpr std::size_t kInputStep = 4096;

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

[[noreturn]] void Fail(lzma_ret result, std::uint64_t offset) {
  switch (result) {
    case LZMA_MEM_ERROR:
      throw ESwfError(offset, "liblzma ran out of memory decoding the movie");
    case LZMA_MEMLIMIT_ERROR:
      throw ESwfError(offset, "the movie's LZMA dictionary needs more than " +
                                  std::to_string(LzmaSource::kMemoryLimit >> 20) +
                                  " MiB, more than this reader allows");
    case LZMA_FORMAT_ERROR:
    case LZMA_OPTIONS_ERROR:
      throw ESwfError(offset, "the movie's LZMA properties are invalid");
    default:
      throw ESwfError(offset, "the movie's LZMA data is damaged (liblzma error " +
                                  std::to_string(static_cast<int>(result)) + ")");
  }
}

}  // namespace

LzmaSource::LzmaSource(ByteSource& compressed, const std::array<std::uint8_t, 5>& properties,
                       std::uint64_t length, std::uint64_t startOffset)
    : compressed_(compressed), length_(length), startOffset_(startOffset) {
  const lzma_ret result = DecodeProperties(properties, options_);
  if (result != LZMA_OK) Fail(result, startOffset_);
  // A dictionary larger than the whole body is never used; liblzma's smallest is 4 KiB.
  wholeDictionary_ = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(options_.dict_size, std::max<std::uint64_t>(length, 4096)));
  options_.dict_size = wholeDictionary_;
  const std::uint64_t memory = MemoryFor(options_);
  if (memory == UINT64_MAX) Fail(LZMA_OPTIONS_ERROR, startOffset_);
  if (memory > kMemoryLimit) Fail(LZMA_MEMLIMIT_ERROR, startOffset_);
  StartDecoder(std::min(wholeDictionary_, kFirstDictionary));
}

LzmaSource::~LzmaSource() { lzma_end(&stream_); }

// liblzma starts the stream afresh, freeing the old dictionary before it takes the new one.
void LzmaSource::StartDecoder(std::uint32_t dictionary) {
  lzma_options_lzma options = options_;
  options.dict_size = dictionary;
  const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
  const lzma_ret result = lzma_raw_decoder(&stream_, filters);
  if (result != LZMA_OK) Fail(result, startOffset_ + produced_);
  options_ = options;
  fed_ = 0;
}

// The bytes decoded filled the dictionary: a decoder with a larger one starts from the body's
// first compressed byte and decodes again the bytes handed over already, then goes on.
void LzmaSource::GrowDictionary() {
  StartDecoder(static_cast<std::uint32_t>(
      std::min<std::uint64_t>(std::uint64_t{options_.dict_size} * kGrowth, wholeDictionary_)));
  std::array<std::uint8_t, 4096> again;
  for (std::uint64_t done = 0; done < produced_;) {
    const std::size_t step =
        static_cast<std::size_t>(std::min<std::uint64_t>(produced_ - done, again.size()));
    const std::size_t decoded = Decode({again.data(), step}, startOffset_ + done);
    // The same bytes gave as many before: fewer now means liblzma failed us.
    if (decoded == 0) Fail(LZMA_PROG_ERROR, startOffset_ + done);
    done += decoded;
  }
}

// Reads the source's next bytes behind those kept.
void LzmaSource::TakeInput() {
  if (!MayGrow()) {
    // No decoder starts again once the dictionary is whole: what this one took is not needed.
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(fed_));
    fed_ = 0;
    if (input_.capacity() > 2 * kInputStep) input_.shrink_to_fit();
  }
  std::array<std::uint8_t, kInputStep> arrived;
  const std::size_t count = compressed_.Read(arrived.data(), arrived.size());
  input_.insert(input_.end(), arrived.begin(), arrived.begin() + count);
  sourceEnded_ = count == 0;
}

// One call of liblzma on the input not given yet. The stream points into input_ only during
// the call, so that input_ may grow and move between calls.
LzmaSource::Step LzmaSource::Code(std::span<std::uint8_t> output) {
  stream_.next_in = input_.data() + fed_;
  stream_.avail_in = input_.size() - fed_;
  stream_.next_out = output.data();
  stream_.avail_out = output.size();
  const lzma_ret result = lzma_code(&stream_, LZMA_RUN);
  const Step step{result, output.size() - stream_.avail_out};
  fed_ = input_.size() - stream_.avail_in;
  stream_.next_in = nullptr;
  stream_.avail_in = 0;
  stream_.next_out = nullptr;
  stream_.avail_out = 0;
  return step;
}

// Decodes into `output`, whose first byte is at `offset` of the movie: at least one byte unless
// the data ended. Decoding goes on after the input ended, as liblzma may still hold output of
// the last input it took; it says LZMA_BUF_ERROR once nothing more can come.
std::size_t LzmaSource::Decode(std::span<std::uint8_t> output, std::uint64_t offset) {
  std::size_t produced = 0;
  while (!ended_ && !output.empty() && produced == 0) {
    if (fed_ == input_.size() && !sourceEnded_) TakeInput();
    const Step step = Code(output);
    produced = step.produced;
    if (step.result == LZMA_STREAM_END ||
        (step.result == LZMA_BUF_ERROR && sourceEnded_ && fed_ == input_.size())) {
      ended_ = true;
    } else if (step.result != LZMA_OK) {
      Fail(step.result, offset + produced);
    }
  }
  return produced;
}

std::size_t LzmaSource::Read(std::uint8_t* buffer, std::size_t count) {
  if (!ended_ && MayGrow() && produced_ == options_.dict_size) GrowDictionary();
  // While the dictionary may grow, decoding stops where it is full: past that, a match reaching
  // further back than it fails where the larger one would have decoded it.
  const std::uint64_t end =
      MayGrow() ? std::min<std::uint64_t>(length_, options_.dict_size) : length_;
  const std::size_t wanted =
      static_cast<std::size_t>(std::min<std::uint64_t>(count, end - produced_));
  const std::size_t decoded = Decode({buffer, wanted}, startOffset_ + produced_);
  produced_ += decoded;
  return decoded;
}

}  // namespace swivex::swf
