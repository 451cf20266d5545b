#include "swf/MovieReader.h"

#include <stdexcept>

#include "swf/TagWalk.h"
#include "swf/UncompressedMovie.h"

namespace swivex::swf {

MovieReader::MovieReader(ByteSource& file) : movie_(std::make_unique<UncompressedMovie>(file)) {}

MovieReader::~MovieReader() = default;

const SwfHeader& MovieReader::Header() const { return movie_->Header(); }

MovieSummary MovieReader::Walk(PictureVisitor* visitor) {
  MovieSummary summary = WalkUntilDefect(visitor);
  if (summary.defect) throw *summary.defect;
  return summary;
}

MovieSummary MovieReader::WalkUntilDefect(PictureVisitor* visitor) {
  if (walked_) throw std::logic_error("MovieReader::Walk: a reader walks a movie once");
  walked_ = true;
  MovieSummary summary;
  summary.header = movie_->Header();
  try {
    WalkTags(movie_->Stream(), visitor, summary);
  } catch (const ESwfError& defect) {
    summary.defect = defect;
  }
  return summary;
}

SwfHeader ReadHeader(ByteSource& file) { return MovieReader(file).Header(); }

}  // namespace swivex::swf
