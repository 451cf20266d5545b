#include "console/MovieFile.h"

#include <algorithm>
#include <cstring>

#include "projector/ProjectorTrailer.h"

namespace swivex::console {

MovieFile OpenMovieFile(const std::string& path, Files& files) {
  MovieFile movie{FileStream::OpenRead(path, files), std::nullopt, 0};
  const std::uint64_t size = movie.file.Size();
  if (size >= kTrailerSize) movie.projector = FindEmbeddedMovie(movie.file);
  if (movie.projector) {
    movie.length = movie.projector->length;
  } else {
    movie.file.Rewind();
    movie.length = size;
  }
  return movie;
}

MovieBytes::MovieBytes(MovieFile& movie, Sha256* hash, ConversionProgress* progress)
    : movie_(movie),
      hash_(hash),
      progress_(progress),
      block_(std::make_unique<std::uint8_t[]>(kBlockSize)) {
  if (progress_ != nullptr) progress_->Advance(0, movie_.length);
}

void MovieBytes::ReadBlock() {
  if (progress_ != nullptr && progress_->CancelRequested()) throw EConversionCancelled();
  const std::size_t count =
      static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, movie_.length - read_));
  movie_.file.ReadExact(block_.get(), count);
  if (hash_ != nullptr) hash_->Add(block_.get(), count);
  read_ += count;
  position_ = 0;
  filled_ = count;
  if (progress_ != nullptr) progress_->Advance(read_, movie_.length);
}

std::size_t MovieBytes::Read(std::uint8_t* buffer, std::size_t count) {
  if (position_ == filled_) {
    if (read_ == movie_.length) return 0;
    ReadBlock();
  }
  const std::size_t taken = std::min(count, filled_ - position_);
  std::memcpy(buffer, block_.get() + position_, taken);
  position_ += taken;
  return taken;
}

void MovieBytes::ReadRest() {
  while (read_ < movie_.length) ReadBlock();
  position_ = filled_;
}

}  // namespace swivex::console
