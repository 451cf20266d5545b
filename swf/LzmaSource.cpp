#include "swf/LzmaSource.h"

#include <algorithm>
#include <string>

#include "swf/SwfError.h"

namespace swivex::swf {
namespace {

constexpr std::size_t kAloneHeaderSize = 13;

// The .lzma header that liblzma's decoder expects: the properties byte, the dictionary size and
// an unknown uncompressed size. A dictionary larger than the whole body is never used, so it is
// cut down to the body's length, which keeps a lying property from claiming gigabytes.
void WriteAloneHeader(const std::array<std::uint8_t, 5>& properties, std::uint64_t length,
                      std::uint8_t* header) {
  std::uint32_t dictionary = static_cast<std::uint32_t>(properties[1]) |
                             static_cast<std::uint32_t>(properties[2]) << 8 |
                             static_cast<std::uint32_t>(properties[3]) << 16 |
                             static_cast<std::uint32_t>(properties[4]) << 24;
  const std::uint64_t useful = std::max<std::uint64_t>(length, 4096);
  if (dictionary > useful) dictionary = static_cast<std::uint32_t>(useful);
  header[0] = properties[0];
  for (int i = 0; i < 4; ++i) header[1 + i] = static_cast<std::uint8_t>(dictionary >> (8 * i));
  std::fill(header + 5, header + kAloneHeaderSize, std::uint8_t{0xFF});
}

}  // namespace

LzmaSource::LzmaSource(ByteSource& compressed, const std::array<std::uint8_t, 5>& properties,
                       std::uint64_t length, std::uint64_t startOffset)
    : compressed_(compressed), remaining_(length), offset_(startOffset) {
  const lzma_ret result = lzma_alone_decoder(&stream_, kMemoryLimit);
  if (result != LZMA_OK) Fail(result);
  WriteAloneHeader(properties, length, input_.data());
  stream_.next_in = input_.data();
  stream_.avail_in = kAloneHeaderSize;
}

LzmaSource::~LzmaSource() { lzma_end(&stream_); }

bool LzmaSource::RefillInput() {
  const std::size_t arrived = compressed_.Read(input_.data(), input_.size());
  stream_.next_in = input_.data();
  stream_.avail_in = arrived;
  return arrived > 0;
}

void LzmaSource::Fail(lzma_ret result) const {
  switch (result) {
    case LZMA_MEM_ERROR:
      throw ESwfError(offset_, "liblzma ran out of memory decoding the movie");
    case LZMA_MEMLIMIT_ERROR:
      throw ESwfError(offset_, "the movie's LZMA dictionary needs more than " +
                                   std::to_string(kMemoryLimit >> 20) +
                                   " MiB, more than this reader allows");
    case LZMA_FORMAT_ERROR:
    case LZMA_OPTIONS_ERROR:
      throw ESwfError(offset_, "the movie's LZMA properties are invalid");
    default:
      throw ESwfError(offset_, "the movie's LZMA data is damaged (liblzma error " +
                                   std::to_string(static_cast<int>(result)) + ")");
  }
}

std::size_t LzmaSource::Read(std::uint8_t* buffer, std::size_t count) {
  const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count, remaining_));
  stream_.next_out = buffer;
  stream_.avail_out = wanted;
  // Decoding goes on after the input ended, as liblzma may still hold output of the last input
  // it took; it says LZMA_BUF_ERROR once nothing more can come.
  while (!ended_ && wanted > 0 && stream_.avail_out == wanted) {
    if (stream_.avail_in == 0 && !inputEnded_) inputEnded_ = !RefillInput();
    const lzma_ret result = lzma_code(&stream_, LZMA_RUN);
    if (result == LZMA_STREAM_END || (result == LZMA_BUF_ERROR && inputEnded_)) {
      ended_ = true;
    } else if (result != LZMA_OK) {
      offset_ += wanted - stream_.avail_out;
      Fail(result);
    }
  }
  const std::size_t produced = wanted - stream_.avail_out;
  remaining_ -= produced;
  offset_ += produced;
  return produced;
}

}  // namespace swivex::swf
