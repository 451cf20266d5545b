#include "swf/UncompressedMovie.h"

#include "swf/ExpansionLimit.h"
#include "swf/HeaderReader.h"
#include "swf/LzmaSource.h"
#include "swf/ZlibSource.h"

namespace swivex::swf {

UncompressedMovie::UncompressedMovie(ByteSource& file) {
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

UncompressedMovie::~UncompressedMovie() = default;

}  // namespace swivex::swf
