#pragma once

#include <cstdint>
#include <string>

#include "tests/support/TestFiles.h"

namespace swivex::e2e {

using swivex::testing::Bytes;

// A movie-like file: the SWF signature followed by `size` - 3 random bytes.
Bytes MovieBytes(std::size_t size, std::uint32_t seed);

// What a projector built from `movie` holds: the player stub of the program folder, the movie
// and the trailer (56 34 12 FA, then the movie's length, little-endian).
Bytes ExpectedProjector(const Bytes& movie);

}  // namespace swivex::e2e
