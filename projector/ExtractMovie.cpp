#include "common/Exceptions.h"
#include "platform/Files.h"
#include "projector/Conversions.h"
#include "projector/FileStream.h"
#include "projector/ProjectorTrailer.h"
#include "projector/TargetFile.h"

namespace swivex {

namespace {

std::uint32_t ReadField(FileStream& stream) {
  LittleEndian32 field;
  stream.ReadExact(field.data(), field.size());
  return FromLittleEndian(field);
}

}  // namespace

std::string ExtractMovie(const std::string& bundlePath, const std::string& targetPath, Files& files,
                         ConversionProgress* progress) {
  FileStream bundle = FileStream::OpenRead(bundlePath, files);
  // In a file shorter than the trailer this seek fails and the fields are read from the start.
  bundle.Seek(-static_cast<std::int64_t>(kTrailerSize));
  if (ReadField(bundle) != ProjectorMagic) {
    bundle.Close();
    return kUnknownProjectorMessage;
  }
  const std::uint64_t movieLength = ReadField(bundle);

  // A length that does not fit in the file is refused before the target exists.
  if (movieLength + kTrailerSize > bundle.Size()) throw EReadError("Stream read error");
  bundle.Seek(-static_cast<std::int64_t>(movieLength + kTrailerSize));

  TargetFile target(targetPath, files);
  target.Stream().FollowWrites(progress, movieLength);
  target.Stream().CopyExactly(bundle, movieLength);
  // The bundle is let go first, so that nothing can fail once the target has been replaced.
  bundle.Close();
  target.Commit();
  return kConvertedMessage;
}

}  // namespace swivex
