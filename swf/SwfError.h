#pragma once

#include <cstdint>
#include <string>

#include "common/Exceptions.h"

namespace swivex::swf {

// A movie that cannot be read as what it claims to be: damaged, truncated, lying about a
// length, or holding something this reader refuses. The text names the offset in the
// uncompressed movie where the reader found the problem, so that a report points at the byte.
class ESwfError : public Exception {
 public:
  ESwfError(std::uint64_t offset, const std::string& problem)
      : Exception(problem + " (at offset " + std::to_string(offset) + " of the movie)"),
        offset_(offset) {}

  std::uint64_t Offset() const noexcept { return offset_; }

 private:
  std::uint64_t offset_;
};

}  // namespace swivex::swf
