#pragma once

#include <cstdint>
#include <optional>

#include "projector/FileStream.h"

namespace swivex {

// Where a projector carries its movie.
struct MovieExtent {
  std::uint64_t offset = 0;  // the movie's first byte: the stub's size
  std::uint64_t length = 0;
};

// Reads the projector trailer at the end of `bundle` and leaves the stream at the movie's first
// byte. Nothing for a file whose last eight bytes are no trailer. A file shorter than the
// trailer is read from its first byte, where it may turn out to end too soon; that, and a
// length that does not fit in the file, raise EReadError.
std::optional<MovieExtent> FindEmbeddedMovie(FileStream& bundle);

}  // namespace swivex
