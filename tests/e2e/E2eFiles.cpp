#include "tests/e2e/E2eFiles.h"

#include "tests/e2e/SwivexApp.h"

namespace swivex::e2e {

Bytes MovieBytes(std::size_t size, std::uint32_t seed) {
  Bytes movie = swivex::testing::RandomBytes(size, seed);
  const char signature[] = "FWS";
  for (std::size_t i = 0; i < 3 && i < movie.size(); ++i)
    movie[i] = static_cast<unsigned char>(signature[i]);
  return movie;
}

Bytes ExpectedProjector(const Bytes& movie) {
  Bytes projector = swivex::testing::ReadBytes(ProgramFile("Viewhost.exe"));
  projector.insert(projector.end(), movie.begin(), movie.end());
  const Bytes trailer = swivex::testing::ProjectorTrailer(static_cast<std::uint32_t>(movie.size()));
  projector.insert(projector.end(), trailer.begin(), trailer.end());
  return projector;
}

}  // namespace swivex::e2e
