#include "player-stub/OwnMovie.h"

#include "player-stub/StubFailure.h"

namespace swivex {

namespace {

StubError FindMovie(OpenStubFile file, std::uint64_t size, std::optional<MovieLocation>& movie) {
  movie.reset();
  if (size < kTrailerSize) return stub_errors::kNone;
  TrailerBytes trailer;
  StubError error = file.system->Seek(file.file, size - kTrailerSize);
  if (error == stub_errors::kNone) error = ReadExactly(file, trailer.data(), trailer.size());
  if (error == stub_errors::kNone) movie = FindEmbeddedMovie(size, trailer);
  return error;
}

}  // namespace

bool OpenOwnMovie(StubSystem& system, OwnMovie& own, StubText& failure) {
  StubError error = system.OwnPath(own.path);
  if (error != stub_errors::kNone)
    return ReportFailure(system, failure, "Cannot find the projector's own file.", error);
  std::uint64_t size = 0;
  error = OpenFileForReading(system, own.path.CStr(), own.file);
  if (error == stub_errors::kNone) error = system.FileSize(own.file.Get().file, size);
  if (error == stub_errors::kNone) error = FindMovie(own.file.Get(), size, own.movie);
  if (error != stub_errors::kNone)
    return ReportFailure(system, failure, kCannotReadMovie, own.path, error);
  return true;
}

}  // namespace swivex
