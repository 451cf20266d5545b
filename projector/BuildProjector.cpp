#include "common/Exceptions.h"
#include "common/FileFailure.h"
#include "common/ProgramFolder.h"
#include "platform/Files.h"
#include "projector/Conversions.h"
#include "projector/FileStream.h"
#include "projector/ProjectorTrailer.h"
#include "projector/TargetFile.h"

namespace swivex {

std::string BuildProjector(const std::string& moviePath, const std::string& targetPath,
                           Files& files, ConversionProgress* progress) {
  return BuildProjector(ProgramFolder(files) + kPlayerStubName, moviePath, targetPath, files,
                        {progress, ExistingTarget::kReplace});
}

std::string BuildProjector(const std::string& stubPath, const std::string& moviePath,
                           const std::string& targetPath, Files& files,
                           const ConversionOptions& options) {
  // Both sources are held, without sharing, before the target is touched: a target that names
  // the movie or the stub, however it is spelled, then cannot be held and is refused.
  FileStream stub = FileStream::OpenRead(stubPath, files);
  FileStream movie = FileStream::OpenRead(moviePath, files);
  const std::uint64_t movieSize = movie.Size();
  if (movieSize > kLargestMovie) {
    throw EWriteError("Cannot build a projector from \"" + PathForMessage(moviePath, files) +
                      "\". A movie must be smaller than 4 GB");
  }

  TargetFile target(targetPath, files, options.existingTarget);
  target.Stream().FollowWrites(options.progress, stub.Size() + movieSize + kTrailerSize);
  target.Stream().CopyFrom(stub, 0);
  stub.Close();
  target.Stream().CopyFrom(movie, 0);
  const LittleEndian32 magic = ToLittleEndian(ProjectorMagic);
  const LittleEndian32 length = ToLittleEndian(static_cast<std::uint32_t>(movieSize));
  target.Stream().WriteExact(magic.data(), magic.size());
  target.Stream().WriteExact(length.data(), length.size());
  movie.Close();
  if (options.runnable) target.Stream().AllowRunning();
  target.Commit();
  return kConvertedMessage;
}

}  // namespace swivex
