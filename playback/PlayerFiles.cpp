#include "playback/PlayerFiles.h"

namespace swivex {

std::uint64_t PlainSizeOf(std::span<const unsigned char> gzip) {
  if (gzip.size() < 4) return 0;
  const std::span<const unsigned char> size = gzip.last(4);
  return static_cast<std::uint64_t>(size[0]) | static_cast<std::uint64_t>(size[1]) << 8 |
         static_cast<std::uint64_t>(size[2]) << 16 | static_cast<std::uint64_t>(size[3]) << 24;
}

}  // namespace swivex
