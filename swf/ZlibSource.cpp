#include "swf/ZlibSource.h"

#include <algorithm>
#include <limits>
#include <string>

#include "swf/SwfError.h"

namespace swivex::swf {

ZlibSource::ZlibSource(ByteSource& compressed, std::uint64_t startOffset)
    : compressed_(compressed), offset_(startOffset) {
  if (inflateInit(&stream_) != Z_OK) {
    throw ESwfError(offset_, "zlib could not start inflating the movie");
  }
}

ZlibSource::~ZlibSource() { inflateEnd(&stream_); }

bool ZlibSource::RefillInput() {
  const std::size_t arrived = compressed_.Read(input_.data(), input_.size());
  stream_.next_in = input_.data();
  stream_.avail_in = static_cast<uInt>(arrived);
  return arrived > 0;
}

std::size_t ZlibSource::Read(std::uint8_t* buffer, std::size_t count) {
  if (damage_) throw *damage_;
  const uInt wanted =
      static_cast<uInt>(std::min<std::size_t>(count, std::numeric_limits<uInt>::max()));
  stream_.next_out = buffer;
  stream_.avail_out = wanted;
  // Returns as soon as anything arrived, so that a caller asking for a header pulls in no more
  // compressed input than that header needs. Inflating goes on after the input ended, as zlib
  // may still hold output of the last input it took.
  while (!ended_ && !damage_ && stream_.avail_out == wanted) {
    if (stream_.avail_in == 0 && !inputEnded_) inputEnded_ = !RefillInput();
    const int result = inflate(&stream_, Z_NO_FLUSH);
    if (result == Z_STREAM_END) {
      ended_ = true;
    } else if (result == Z_DATA_ERROR || result == Z_NEED_DICT) {
      const std::string detail = stream_.msg != nullptr ? stream_.msg : "unknown";
      damage_.emplace(offset_ + (wanted - stream_.avail_out),
                      "the movie's compressed data is damaged (zlib: " + detail + ")");
    } else if (result == Z_MEM_ERROR) {
      throw ESwfError(offset_, "zlib ran out of memory inflating the movie");
    } else if (result == Z_BUF_ERROR && inputEnded_) {
      ended_ = true;
    }
  }
  const std::size_t produced = wanted - stream_.avail_out;
  offset_ += produced;
  // The bytes inflated before the damage are handed over; the damage raises at the first byte
  // it spoiled, on the next read if this one has bytes to return.
  if (damage_ && produced == 0) throw *damage_;
  return produced;
}

}  // namespace swivex::swf
