#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/PathSyntax.h"
#include "projector/ConversionProgress.h"
#include "swf/MovieReader.h"

namespace swivex {
class Files;
}

namespace swivex::console {

// What `info` tells of one file.
struct MovieInfo {
  // For a projector: the stub's size, the bytes in front of the movie.
  std::optional<std::uint64_t> stubSize;
  // The movie's bytes as stored: the file's length, or the movie's inside a projector.
  std::uint64_t movieLength = 0;
  swf::MovieSummary summary;
  // SHA-256 of the movie's bytes as stored, in lower-case hex: what a checksum of the
  // extracted movie gives.
  std::string sha256;
};

// Reads the whole movie once: its header and tags, and its hash along the way. Raises
// ESwfError for a movie that cannot be read, and the file errors of the conversions.
MovieInfo ReadMovieInfo(const std::string& path, Files& files, ConversionProgress* progress);

// The report of one file: lines of "name: value", or with `json` one JSON object on one line.
// `isLeadByte` tells the double-byte characters of the path, if any.
std::string FormatInfo(const std::string& path, const MovieInfo& info, bool json,
                       LeadByteTest isLeadByte);

}  // namespace swivex::console
