#include "projector/EmbeddedMovie.h"

#include "common/Exceptions.h"
#include "projector/ProjectorTrailer.h"

namespace swivex {

namespace {

std::uint32_t ReadField(FileStream& stream) {
  LittleEndian32 field;
  stream.ReadExact(field.data(), field.size());
  return FromLittleEndian(field);
}

}  // namespace

std::optional<MovieExtent> FindEmbeddedMovie(FileStream& bundle) {
  // In a file shorter than the trailer this seek fails and the fields are read from the start.
  bundle.Seek(-static_cast<std::int64_t>(kTrailerSize));
  if (ReadField(bundle) != ProjectorMagic) return std::nullopt;
  const std::uint64_t length = ReadField(bundle);
  const std::uint64_t size = bundle.Size();
  if (length + kTrailerSize > size) throw EReadError("Stream read error");
  bundle.Seek(-static_cast<std::int64_t>(length + kTrailerSize));
  return MovieExtent{size - kTrailerSize - length, length};
}

}  // namespace swivex
