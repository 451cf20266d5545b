#pragma once

#include <cstdint>
#include <string_view>

namespace swivex {

// The bytes of a file that a response sends: `first` up to and including `last`.
struct ByteSpan {
  std::uint64_t first = 0;
  std::uint64_t last = 0;

  std::uint64_t Length() const { return last - first + 1; }
  friend bool operator==(const ByteSpan&, const ByteSpan&) = default;
};

enum class RangeAnswer {
  Whole,          // no range, or one the server does not honour: 200 with every byte
  Part,           // 206 with the span
  Unsatisfiable,  // 416: the range lies wholly past the end
};

// Reads a Range header for a file of `size` bytes. Only one span of bytes is honoured
// ("bytes=0-99", "bytes=100-", "bytes=-100"); lists of spans and malformed values get the whole
// file, as HTTP lets a server do.
RangeAnswer ParseByteRange(std::string_view header, std::uint64_t size, ByteSpan& span);

}  // namespace swivex
