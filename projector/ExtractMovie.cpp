#include "common/Exceptions.h"
#include "platform/Files.h"
#include "projector/Conversions.h"
#include "projector/EmbeddedMovie.h"
#include "projector/FileStream.h"
#include "projector/TargetFile.h"

namespace swivex {

std::string ExtractMovie(const std::string& bundlePath, const std::string& targetPath, Files& files,
                         ConversionProgress* progress) {
  return ExtractMovie(bundlePath, targetPath, files, {progress, ExistingTarget::kReplace});
}

std::string ExtractMovie(const std::string& bundlePath, const std::string& targetPath, Files& files,
                         const ConversionOptions& options) {
  FileStream bundle = FileStream::OpenRead(bundlePath, files);
  // A length that does not fit in the file is refused before the target exists.
  const std::optional<MovieExtent> movie = FindEmbeddedMovie(bundle);
  if (!movie) {
    bundle.Close();
    return kUnknownProjectorMessage;
  }

  TargetFile target(targetPath, files, options.existingTarget);
  target.Stream().FollowWrites(options.progress, movie->length);
  target.Stream().CopyExactly(bundle, movie->length);
  // The bundle is let go first, so that nothing can fail once the target has been replaced.
  bundle.Close();
  target.Commit();
  return kConvertedMessage;
}

}  // namespace swivex
