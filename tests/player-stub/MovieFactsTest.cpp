// What the stub reads of the movie behind it before it opens a window, in memory: the stage in
// whole pixels, the first frame's request of full screen, and nothing from a movie or a file
// that cannot be read.
#include <gtest/gtest.h>

#include "player-stub/MovieFacts.h"
#include "tests/player-stub/FaultInjectingFileSystem.h"
#include "tests/player-stub/MemoryFileSystem.h"
#include "tests/swf/MovieBuilder.h"

namespace swivex {

void PrintTo(const AppWindow& facts, std::ostream* out) {
  *out << facts.stageWidth << " x " << facts.stageHeight
       << (facts.fullScreen ? ", full screen" : "");
}

namespace testing {
namespace {

using swf::testing::Action;
using swf::testing::operator+;
using swf::testing::ActionString;
using swf::testing::MovieBuilder;

// The frame fields of a movie: the stage's rectangle as given (15-bit fields), 24 frames a
// second, one frame.
Bytes Frame(std::initializer_list<std::uint8_t> rectangle) {
  Bytes fields(rectangle);
  fields.insert(fields.end(), {0x00, 0x18, 0x01, 0x00});
  return fields;
}

const Bytes kFullScreen =
    Action(0x83, ActionString("FSCommand:fullscreen") + ActionString("true")) + Bytes{0x00};

MovieBuilder Movie(const Bytes& frame, bool asks) {
  MovieBuilder movie(frame);
  if (asks) movie.Tag(12, kFullScreen);
  return movie.Tag(1, {}).End();
}

// The movie behind a stub of 5,000 bytes; `length` is what the trailer says of it.
Bytes Projector(const Bytes& movie, std::uint32_t length) {
  return Concat(Concat(RandomBytes(5000, 1), movie), ProjectorTrailer(length));
}

struct FactsCase {
  const char* what;
  Bytes movie;
  std::uint32_t length;  // that the trailer gives; 0 for the movie's own
  AppWindow facts;
};

AppWindow FactsOf(FileSystem& system, const std::string& path, std::uint32_t length) {
  UniqueOpenedFile file;
  EXPECT_EQ(OpenFileForReading(system, path.c_str(), file), file_errors::kNone);
  return ReadMovieFacts(file.Get(), {5000, length});
}

TEST(MovieFacts, AreTheStageInWholePixelsAndTheFirstFramesRequest) {
  // 550.5 x 400.45 pixels (11010 x 8009 twips) and 550.45 x 400.5 (11009 x 8010).
  const Bytes halfUp = Frame({0x78, 0x00, 0x05, 0x60, 0x40, 0x00, 0x0F, 0xA4, 0x80});
  const Bytes halfDown = Frame({0x78, 0x00, 0x05, 0x60, 0x20, 0x00, 0x0F, 0xA5, 0x00});
  // Half a pixel square (10 twips), and 9 x 4000 twips.
  const Bytes half = Frame({0x78, 0x00, 0x00, 0x01, 0x40, 0x00, 0x00, 0x05, 0x00});
  const Bytes narrow = Frame({0x78, 0x00, 0x00, 0x01, 0x20, 0x00, 0x07, 0xD0, 0x00});
  const Bytes notAMovie = Bytes{'G', 'W', 'S', 10} + swf::testing::Le32(30) + Bytes(22, 0);
  const FactsCase cases[] = {
      {"FWS", Movie(halfUp, false).Fws(), 0, {551, 400, false}},
      {"CWS asking for full screen", Movie(halfDown, true).Cws(), 0, {550, 401, true}},
      {"half a pixel", Movie(half, false).Fws(), 0, {1, 1, false}},
      {"less than half a pixel wide", Movie(narrow, true).Fws(), 0, {0, 0, true}},
      {"not a movie", notAMovie, 0, {}},
      // 57 bytes: the DoAction tag at 21, the ShowFrame tag at 53, the End tag at 55.
      {"the first frame whole", Movie(halfUp, true).Fws(), 55, {551, 400, true}},
      {"the first frame cut", Movie(halfUp, true).Fws(), 54, {}},
  };
  ASSERT_EQ(Movie(halfUp, true).Fws().size(), 57u);
  for (const FactsCase& tried : cases) {
    MemoryFileSystem system;
    const std::uint32_t length =
        tried.length != 0 ? tried.length : static_cast<std::uint32_t>(tried.movie.size());
    system.files[system.ownPath] = Projector(tried.movie, length);
    EXPECT_EQ(FactsOf(system, system.ownPath, length), tried.facts) << tried.what;
  }
}

// Whatever call fails, the facts are those of the movie or none: never a stage or a request that
// the movie does not hold.
TEST(MovieFacts, AreAllOrNothingWhereverReadingFails) {
  const Bytes movie =
      Movie(Frame({0x78, 0x00, 0x05, 0x60, 0x40, 0x00, 0x0F, 0xA4, 0x80}), true).Cws();
  const auto length = static_cast<std::uint32_t>(movie.size());
  MemoryFileSystem system;
  system.files[system.ownPath] = Projector(movie, length);
  FaultInjectingFileSystem recording(system);
  ASSERT_EQ(FactsOf(recording, system.ownPath, length), (AppWindow{551, 400, true}));
  std::size_t harmless = 0;
  for (const Fault& fault : EveryFault(recording.Calls())) {
    if (recording.Calls()[fault.call].name == "Close") continue;
    FaultInjectingFileSystem failing(system, fault);
    UniqueOpenedFile file;
    if (OpenFileForReading(failing, system.ownPath.c_str(), file) != file_errors::kNone) continue;
    const AppWindow facts = ReadMovieFacts(file.Get(), {5000, length});
    if (facts == AppWindow{551, 400, true}) {
      ++harmless;
    } else {
      EXPECT_EQ(facts, AppWindow{}) << Describe(fault, recording.Calls());
    }
  }
  EXPECT_GT(harmless, 0u) << "a read that moves part of what it asked is read on from";
}

}  // namespace
}  // namespace testing
}  // namespace swivex
