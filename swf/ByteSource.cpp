#include "swf/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace swivex::swf {

std::size_t MemorySource::Read(std::uint8_t* buffer, std::size_t count) {
  const std::size_t available = std::min(count, bytes_.size() - position_);
  if (available > 0) std::memcpy(buffer, bytes_.data() + position_, available);
  position_ += available;
  return available;
}

std::size_t CountingSource::Read(std::uint8_t* buffer, std::size_t count) {
  const std::size_t arrived = inner_.Read(buffer, count);
  total_ += arrived;
  return arrived;
}

std::size_t ReadUpTo(ByteSource& source, std::uint8_t* buffer, std::size_t count) {
  std::size_t total = 0;
  while (total < count) {
    const std::size_t arrived = source.Read(buffer + total, count - total);
    if (arrived == 0) break;
    total += arrived;
  }
  return total;
}

}  // namespace swivex::swf
