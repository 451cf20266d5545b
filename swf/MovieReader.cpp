#include "swf/MovieReader.h"

#include <stdexcept>

#include "swf/ExpansionLimit.h"
#include "swf/HeaderReader.h"
#include "swf/LzmaSource.h"
#include "swf/MovieStream.h"
#include "swf/TagWalk.h"
#include "swf/ZlibSource.h"

namespace swivex::swf {

MovieReader::MovieReader(ByteSource& file) {
  const FileHeader fileHeader = ReadFileHeader(file);
  header_.compression = fileHeader.compression;
  header_.version = fileHeader.version;
  header_.declaredLength = fileHeader.declaredLength;
  header_.lzmaDataLength = fileHeader.lzmaDataLength;

  ByteSource* body = &file;
  if (fileHeader.compression != Compression::kNone) {
    compressed_ = std::make_unique<CountingSource>(file);
    if (fileHeader.compression == Compression::kZlib) {
      decompressor_ = std::make_unique<ZlibSource>(*compressed_, kBodyOffset);
    } else {
      decompressor_ =
          std::make_unique<LzmaSource>(*compressed_, fileHeader.lzmaProperties,
                                       fileHeader.declaredLength - kBodyOffset, kBodyOffset);
    }
    limit_ = std::make_unique<ExpansionLimit>(*decompressor_, *compressed_, kBodyOffset);
    body = limit_.get();
  }
  movie_ = std::make_unique<MovieStream>(*body, kBodyOffset, fileHeader.declaredLength);
  ReadFrameFields(*movie_, header_);
}

MovieReader::~MovieReader() = default;

MovieSummary MovieReader::Walk(PictureVisitor* visitor) {
  MovieSummary summary = WalkUntilDefect(visitor);
  if (summary.defect) throw *summary.defect;
  return summary;
}

MovieSummary MovieReader::WalkUntilDefect(PictureVisitor* visitor) {
  if (walked_) throw std::logic_error("MovieReader::Walk: a reader walks a movie once");
  walked_ = true;
  MovieSummary summary;
  summary.header = header_;
  try {
    WalkTags(*movie_, visitor, summary);
  } catch (const ESwfError& defect) {
    summary.defect = defect;
  }
  return summary;
}

SwfHeader ReadHeader(ByteSource& file) { return MovieReader(file).Header(); }

}  // namespace swivex::swf
