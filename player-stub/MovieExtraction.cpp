#include "player-stub/MovieExtraction.h"

#include "player-stub/MovieCopy.h"
#include "player-stub/OwnMovie.h"
#include "player-stub/StubFailure.h"

namespace swivex {

Extraction ExtractOwnMovie(FileSystem& system, BoundedText& savedPath, BoundedText& failure) {
  OwnMovie own;
  if (!OpenOwnMovie(system, own, failure)) return Extraction::Failed;
  Extraction result = Extraction::Saved;
  if (!own.movie) {
    result = Extraction::BareStub;
  } else if (own.movie->length == 0) {
    result = Extraction::EmptyMovie;
  } else if (!SaveMovieCopy(system, own, savedPath, failure)) {
    return Extraction::Failed;
  }
  const FileError closed = CloseFile(own.file);
  if (closed != file_errors::kNone) {
    ReportFailure(system, failure, kCannotReadMovie, own.path, closed);
    return Extraction::Failed;
  }
  return result;
}

}  // namespace swivex
