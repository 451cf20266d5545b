#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "player-stub/EmbeddedMovie.h"
#include "projector/Conversions.h"
#include "tests/support/MovedProgramFiles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

TrailerBytes Trailer(const LittleEndian32& marker, std::uint32_t length) {
  const LittleEndian32 field = ToLittleEndian(length);
  return {marker[0], marker[1], marker[2], marker[3], field[0], field[1], field[2], field[3]};
}

const LittleEndian32 kMarker = {0x56, 0x34, 0x12, 0xFA};

struct TrailerCase {
  const char* name;
  std::uint64_t fileSize;
  TrailerBytes lastBytes;
  std::optional<MovieLocation> expected;
};

TEST(FindEmbeddedMovie, ReadsTheMovieFromTheLastEightBytesOnlyWhenItFits) {
  const TrailerCase cases[] = {
      {"no trailer: the end of an ordinary program",
       40960,
       {'P', 'A', 'D', 'D', 'I', 'N', 'G', 0},
       std::nullopt},
      {"marker bytes in the wrong order", 1000, Trailer({0xFA, 0x12, 0x34, 0x56}, 10),
       std::nullopt},
      {"marker off by one bit", 1000, Trailer({0x57, 0x34, 0x12, 0xFA}, 10), std::nullopt},
      {"marker with zero length", 1000, Trailer(kMarker, 0), MovieLocation{992, 0}},
      {"marker with zero length, nothing before it", 8, Trailer(kMarker, 0), MovieLocation{0, 0}},
      {"length that fits after a stub", 1000, Trailer(kMarker, 100), MovieLocation{892, 100}},
      {"length that fits exactly, no stub", 108, Trailer(kMarker, 100), MovieLocation{0, 100}},
      {"length one byte too big", 108, Trailer(kMarker, 101), std::nullopt},
      {"largest length in a file too small for it", 1 << 20, Trailer(kMarker, 0xFFFFFFFF),
       std::nullopt},
      {"largest length in a file that holds it", 0xFFFFFFFFull + 8, Trailer(kMarker, 0xFFFFFFFF),
       MovieLocation{0, 0xFFFFFFFF}},
      {"largest length in a file one byte short", 0xFFFFFFFFull + 7, Trailer(kMarker, 0xFFFFFFFF),
       std::nullopt},
      {"empty file", 0, Trailer(kMarker, 0), std::nullopt},
      {"one byte", 1, Trailer(kMarker, 0), std::nullopt},
      {"seven bytes ending like a trailer", 7, Trailer(kMarker, 0), std::nullopt},
  };
  for (const TrailerCase& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(FindEmbeddedMovie(test.fileSize, test.lastBytes), test.expected);
  }
}

TEST(FindEmbeddedMovie, FindsTheMovieOfEveryProjectorThatSwivexBuilds) {
  TempFolder programFolder;
  TempFolder work;
  // The program folder of a test build, holding a random stand-in for the player stub.
  MovedProgramFiles files(programFolder / "Swivex.exe");
  const Bytes stub = RandomBytes(4099, 7);
  WriteBytes(programFolder / "Viewhost.exe", stub);

  for (std::size_t movieSize : {0, 1, 8, 65537}) {
    SCOPED_TRACE(movieSize);
    const Bytes movie = RandomBytes(movieSize, static_cast<std::uint32_t>(movieSize));
    WriteBytes(work / "movie.swf", movie);
    ASSERT_EQ(BuildProjector(work / "movie.swf", work / "movie.exe", files), kConvertedMessage);

    const Bytes projector = ReadBytes(work / "movie.exe");
    TrailerBytes lastBytes;
    std::copy(projector.end() - kTrailerSize, projector.end(), lastBytes.begin());
    const std::optional<MovieLocation> found = FindEmbeddedMovie(projector.size(), lastBytes);

    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, (MovieLocation{stub.size(), static_cast<std::uint32_t>(movieSize)}));
    EXPECT_EQ(
        Bytes(projector.begin() + found->offset, projector.begin() + found->offset + found->length),
        movie);
  }
}

}  // namespace
}  // namespace swivex::testing
