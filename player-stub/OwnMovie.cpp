#include "player-stub/OwnMovie.h"

#include "player-stub/StubFailure.h"

namespace swivex {

namespace {

FileError FindMovie(OpenedFile file, std::uint64_t size, std::optional<MovieLocation>& movie) {
  movie.reset();
  if (size < kTrailerSize) return file_errors::kNone;
  TrailerBytes trailer;
  FileError error = file.system->Seek(file.file, size - kTrailerSize);
  if (error == file_errors::kNone) error = ReadExactly(file, trailer.data(), trailer.size());
  if (error == file_errors::kNone) movie = FindEmbeddedMovie(size, trailer);
  return error;
}

}  // namespace

bool OpenOwnMovie(FileSystem& system, OwnMovie& own, BoundedText& failure) {
  FileError error = system.OwnPath(own.path);
  if (error != file_errors::kNone)
    return ReportFailure(system, failure, "Cannot find the projector's own file.", error);
  std::uint64_t size = 0;
  error = OpenFileForReading(system, own.path.CStr(), own.file);
  if (error == file_errors::kNone) error = system.FileSize(own.file.Get().file, size);
  if (error == file_errors::kNone) error = FindMovie(own.file.Get(), size, own.movie);
  if (error != file_errors::kNone)
    return ReportFailure(system, failure, kCannotReadMovie, own.path, error);
  return true;
}

}  // namespace swivex
