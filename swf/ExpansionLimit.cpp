#include "swf/ExpansionLimit.h"

#include <string>

#include "swf/SwfError.h"

namespace swivex::swf {

std::size_t ExpansionLimit::Read(std::uint8_t* buffer, std::size_t count) {
  const std::size_t arrived = body_.Read(buffer, count);
  produced_ += arrived;
  const std::uint64_t allowed = kMostExpansion * compressed_.Total() + kFreeBytes;
  if (produced_ > allowed) {
    throw ESwfError(startOffset_ + allowed, "the movie's compressed data expand more than " +
                                                std::to_string(kMostExpansion) +
                                                " times, more than this reader reads");
  }
  return arrived;
}

}  // namespace swivex::swf
