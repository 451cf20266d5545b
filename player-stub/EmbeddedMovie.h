#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "playback/MovieLocation.h"
#include "projector/ProjectorTrailer.h"

namespace swivex {

using TrailerBytes = std::array<unsigned char, kTrailerSize>;

// The movie that a file of `fileSize` bytes ending in `lastBytes` carries, or nothing when the
// file has no projector trailer or records a movie longer than what lies before the trailer (a
// bare player stub). A file shorter than the trailer carries nothing, whatever `lastBytes` hold.
constexpr std::optional<MovieLocation> FindEmbeddedMovie(std::uint64_t fileSize,
                                                         const TrailerBytes& lastBytes) {
  if (fileSize < kTrailerSize) return std::nullopt;
  const std::uint32_t magic =
      FromLittleEndian({lastBytes[0], lastBytes[1], lastBytes[2], lastBytes[3]});
  const std::uint32_t length =
      FromLittleEndian({lastBytes[4], lastBytes[5], lastBytes[6], lastBytes[7]});
  if (magic != ProjectorMagic) return std::nullopt;
  const std::uint64_t room = fileSize - kTrailerSize;
  if (length > room) return std::nullopt;
  return MovieLocation{room - length, length};
}

}  // namespace swivex
