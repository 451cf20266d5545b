#pragma once

#include <memory>

#include "swf/ByteSource.h"
#include "swf/MovieStream.h"
#include "swf/SwfHeader.h"

namespace swivex::swf {

// A movie's header, read on construction, and its body uncompressed, ready to be read from the
// first tag on: from the file itself (FWS), through zlib (CWS) or through LZMA (ZWS), within the
// declared length and the limit on expansion. A damaged or truncated header raises ESwfError.
class UncompressedMovie {
 public:
  explicit UncompressedMovie(ByteSource& file);
  UncompressedMovie(const UncompressedMovie&) = delete;
  UncompressedMovie& operator=(const UncompressedMovie&) = delete;
  ~UncompressedMovie();

  const SwfHeader& Header() const { return header_; }
  MovieStream& Stream() { return *movie_; }

 private:
  SwfHeader header_;
  std::unique_ptr<CountingSource> compressed_;
  std::unique_ptr<ByteSource> decompressor_;
  std::unique_ptr<ByteSource> limit_;
  std::unique_ptr<MovieStream> movie_;
};

}  // namespace swivex::swf
