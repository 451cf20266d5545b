#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/Sha256.h"
#include "projector/ConversionProgress.h"
#include "projector/EmbeddedMovie.h"
#include "projector/FileStream.h"
#include "swf/ByteSource.h"

namespace swivex::console {

// A movie file, or the movie inside a projector, open at the movie's first byte.
struct MovieFile {
  FileStream file;
  // Where the movie lies in a projector; nothing for a movie file.
  std::optional<MovieExtent> projector;
  std::uint64_t length = 0;
};

// Opens `path` and finds its movie: the one a projector trailer points at, else the whole file.
// A file shorter than the trailer is a movie file. Raises what FileStream and
// FindEmbeddedMovie raise.
MovieFile OpenMovieFile(const std::string& path, Files& files);

// The movie's bytes front to back, read from the file in large blocks; each block goes to the
// hash, if any, as it arrives, so that reading the movie and hashing it is one pass.
class MovieBytes final : public swf::ByteSource {
 public:
  static constexpr std::size_t kBlockSize = 1u << 20;

  // `progress`, if given, follows the bytes read of `movie.length`, and stops the reading
  // (EConversionCancelled) when it asks to.
  MovieBytes(MovieFile& movie, Sha256* hash, ConversionProgress* progress);

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  // Reads what the reader left of the movie, for the hash.
  void ReadRest();

 private:
  void ReadBlock();

  MovieFile& movie_;
  Sha256* hash_;
  ConversionProgress* progress_;
  std::unique_ptr<std::uint8_t[]> block_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  std::uint64_t read_ = 0;
};

}  // namespace swivex::console
