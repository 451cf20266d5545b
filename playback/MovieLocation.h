#pragma once

#include <cstdint>

namespace swivex {

// Where a movie lies in a file: the whole file, or the bytes before a projector's trailer.
struct MovieLocation {
  std::uint64_t offset = 0;
  std::uint32_t length = 0;

  friend bool operator==(const MovieLocation&, const MovieLocation&) = default;
};

}  // namespace swivex
