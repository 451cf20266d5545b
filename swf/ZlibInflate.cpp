#include "swf/ZlibInflate.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "swf/SwfError.h"

namespace swivex::swf {
namespace {

constexpr std::uint64_t kFirstSize = 4096;

class Inflater {
 public:
  Inflater(std::span<const std::uint8_t> compressed, std::uint64_t offset, const std::string& what)
      : offset_(offset), what_(what) {
    if (compressed.size() > std::numeric_limits<uInt>::max()) {
      throw ESwfError(offset_, what_ + " is too large to inflate");
    }
    if (inflateInit(&stream_) != Z_OK) throw ESwfError(offset_, "zlib could not start");
    stream_.next_in = const_cast<Bytef*>(compressed.data());
    stream_.avail_in = static_cast<uInt>(compressed.size());
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  ~Inflater() { inflateEnd(&stream_); }

  // Inflates into `out`; returns how many bytes arrived, 0 once the stream or its input ended.
  std::size_t Inflate(std::uint8_t* out, std::size_t count) {
    if (ended_) return 0;
    stream_.next_out = out;
    stream_.avail_out = static_cast<uInt>(count);
    const int result = inflate(&stream_, Z_NO_FLUSH);
    const std::size_t produced = count - stream_.avail_out;
    if (result == Z_STREAM_END || result == Z_BUF_ERROR ||
        (result == Z_OK && produced == 0 && stream_.avail_in == 0)) {
      ended_ = true;
    } else if (result != Z_OK) {
      const std::string detail = stream_.msg != nullptr ? stream_.msg : "out of memory";
      throw ESwfError(offset_, what_ + " is damaged (zlib: " + detail + ")");
    }
    return produced;
  }

 private:
  z_stream stream_{};
  std::uint64_t offset_;
  const std::string& what_;
  bool ended_ = false;
};

}  // namespace

std::vector<std::uint8_t> InflateExactly(std::span<const std::uint8_t> compressed,
                                         std::uint64_t expected, std::uint64_t offset,
                                         const std::string& what) {
  Inflater inflater(compressed, offset, what);
  std::vector<std::uint8_t> out;
  std::size_t have = 0;
  while (have < expected) {
    // Twice what arrived: a size that the data do not back costs neither memory nor the time to
    // clear it.
    const std::uint64_t room = std::max<std::uint64_t>(kFirstSize, std::uint64_t{have} * 2);
    out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(expected, room)));
    const std::size_t arrived = inflater.Inflate(out.data() + have, out.size() - have);
    if (arrived == 0) {
      throw ESwfError(offset, what + " holds " + std::to_string(have) + " bytes, fewer than the " +
                                  std::to_string(expected) + " its size needs");
    }
    have += arrived;
  }
  std::uint8_t extra = 0;
  if (inflater.Inflate(&extra, 1) != 0) {
    throw ESwfError(offset, what + " holds more than the " + std::to_string(expected) +
                                " bytes its size needs");
  }
  return out;
}

}  // namespace swivex::swf
