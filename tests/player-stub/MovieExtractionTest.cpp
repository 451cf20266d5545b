// What the stub's extraction saves, and where, run in memory.
#include <gtest/gtest.h>

#include <algorithm>

#include "player-stub/MovieExtraction.h"
#include "tests/player-stub/ExtractionFaultSweep.h"
#include "tests/player-stub/FaultInjectingFileSystem.h"
#include "tests/player-stub/MemoryFileSystem.h"

namespace swivex::testing {
namespace {

const std::string kFolder = "C:\\Temp\\Swivex";

struct ExtractionRun {
  Extraction result;
  std::string savedPath;
  std::string failure;
  std::vector<RecordedCall> calls;

  bool Called(const std::string& name) const {
    return std::any_of(calls.begin(), calls.end(),
                       [&](const RecordedCall& call) { return call.name == name; });
  }
};

ExtractionRun Extract(MemoryFileSystem& system) {
  FaultInjectingFileSystem recording(system);
  BoundedText savedPath;
  BoundedText failure;
  const Extraction result = ExtractOwnMovie(recording, savedPath, failure);
  EXPECT_EQ(recording.OpenFiles(), 0u);
  return {result, savedPath.CStr(), failure.CStr(), recording.Calls()};
}

MemoryFileSystem SystemWithProjector(const Bytes& movie) {
  MemoryFileSystem system;
  system.files[system.ownPath] = ProjectorOf(movie);
  return system;
}

TEST(MovieExtraction, KeepsOneCopyHoweverOftenAProjectorRuns) {
  const Bytes movie = RandomBytes(3000, 1);
  MemoryFileSystem system = SystemWithProjector(movie);

  const ExtractionRun first = Extract(system);
  ASSERT_EQ(first.result, Extraction::Saved) << first.failure;
  EXPECT_EQ(first.savedPath, "C:\\Temp\\Swivex\\intro.swf");
  for (int run = 2; run <= 1000; ++run) {
    const ExtractionRun again = Extract(system);
    ASSERT_EQ(again.result, Extraction::Saved) << "run " << run << ": " << again.failure;
    ASSERT_EQ(again.savedPath, first.savedPath) << "run " << run;
    ASSERT_FALSE(again.Called("CreateNewFile") || again.Called("Write")) << "run " << run;
  }
  EXPECT_EQ(system.FilesIn(kFolder), (std::map<std::string, Bytes>{{"intro.swf", movie}}));
}

TEST(MovieExtraction, ProjectorsOfOneNameTakeTurnsWithoutAddingCopies) {
  const Bytes movieA = RandomBytes(3000, 2);
  const Bytes movieB = RandomBytes(3000, 3);
  MemoryFileSystem system;
  system.folders.insert("C:\\Other");
  system.files["C:\\Games\\intro.exe"] = ProjectorOf(movieA);
  system.files["C:\\Other\\intro.exe"] = ProjectorOf(movieB);

  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    system.ownPath = "C:\\Games\\intro.exe";
    EXPECT_EQ(Extract(system).savedPath, "C:\\Temp\\Swivex\\intro.swf");
    system.ownPath = "C:\\Other\\intro.exe";
    EXPECT_EQ(Extract(system).savedPath, "C:\\Temp\\Swivex\\intro (2).swf");
  }
  EXPECT_EQ(system.FilesIn(kFolder),
            (std::map<std::string, Bytes>{{"intro.swf", movieA}, {"intro (2).swf", movieB}}));
}

Bytes Resized(Bytes bytes, std::size_t size) {
  bytes.resize(size, 0x5A);
  return bytes;
}

TEST(MovieExtraction, UsesAFileUnderTheCopysNameOnlyIfItHoldsExactlyTheMovie) {
  const Bytes movie = RandomBytes(70000, 4);
  Bytes lastByteChanged = movie;
  lastByteChanged.back() ^= 0x80;
  struct NameCase {
    const char* name;
    std::map<std::string, Bytes> before;
    bool heldByAnotherProgram;
    const char* expectedCopy;
  };
  const NameCase cases[] = {
      {"nothing", {}, false, "intro.swf"},
      {"the movie", {{"intro.swf", movie}}, false, "intro.swf"},
      {"the movie, held by another program", {{"intro.swf", movie}}, true, "intro (2).swf"},
      {"the movie but its last byte", {{"intro.swf", lastByteChanged}}, false, "intro (2).swf"},
      {"the movie and one byte more",
       {{"intro.swf", Resized(movie, 70001)}},
       false,
       "intro (2).swf"},
      {"the movie without its last byte",
       {{"intro.swf", Resized(movie, 69999)}},
       false,
       "intro (2).swf"},
      {"nothing, beside a scratch file of a run that broke off",
       {{"intro.part", Resized(movie, 100)}},
       false,
       "intro.swf"},
      {"another movie, and the movie as the second copy",
       {{"intro.swf", lastByteChanged}, {"intro (2).swf", movie}},
       false,
       "intro (2).swf"},
  };
  for (const NameCase& test : cases) {
    SCOPED_TRACE(test.name);
    MemoryFileSystem system = SystemWithProjector(movie);
    system.folders.insert(kFolder);
    for (const auto& [name, bytes] : test.before) system.files[kFolder + "\\" + name] = bytes;
    if (test.heldByAnotherProgram) system.held.insert(kFolder + "\\intro.swf");

    const ExtractionRun run = Extract(system);

    ASSERT_EQ(run.result, Extraction::Saved) << run.failure;
    EXPECT_EQ(run.savedPath, kFolder + "\\" + test.expectedCopy);
    std::map<std::string, Bytes> expected = test.before;
    expected[test.expectedCopy] = movie;
    EXPECT_TRUE(system.FilesIn(kFolder) == expected);
  }
}

TEST(MovieExtraction, SavesUnderTheNextNameWhenAnotherRunTakesTheNameFirst) {
  const Bytes movie = RandomBytes(1000, 5);
  const Bytes theirs = RandomBytes(1000, 6);
  MemoryFileSystem system = SystemWithProjector(movie);
  system.beforeRename = [&](const std::string& to) {
    if (to == kFolder + "\\intro.swf") system.files[to] = theirs;
  };

  const ExtractionRun run = Extract(system);

  ASSERT_EQ(run.result, Extraction::Saved) << run.failure;
  EXPECT_EQ(run.savedPath, kFolder + "\\intro (2).swf");
  EXPECT_TRUE(system.FilesIn(kFolder) ==
              (std::map<std::string, Bytes>{{"intro.swf", theirs}, {"intro (2).swf", movie}}));
}

TEST(MovieExtraction, GivesUpWhenAllNineHundredNinetyNineNamesHoldOtherMovies) {
  const Bytes movie = RandomBytes(100, 7);
  const Bytes other = RandomBytes(101, 8);
  MemoryFileSystem system = SystemWithProjector(movie);
  system.folders.insert(kFolder);
  system.files[kFolder + "\\intro.swf"] = other;
  for (int number = 2; number <= 998; ++number)
    system.files[kFolder + "\\intro (" + std::to_string(number) + ").swf"] = other;

  const ExtractionRun last = Extract(system);
  ASSERT_EQ(last.result, Extraction::Saved) << last.failure;
  EXPECT_EQ(last.savedPath, kFolder + "\\intro (999).swf");

  system.files[kFolder + "\\intro (999).swf"] = other;
  const std::map<std::string, Bytes> full = system.FilesIn(kFolder);
  const ExtractionRun none = Extract(system);
  EXPECT_EQ(none.result, Extraction::Failed);
  EXPECT_EQ(none.failure,
            "Cannot save the movie to \"C:\\Temp\\Swivex\\intro (999).swf\". System error 80.");
  EXPECT_TRUE(system.FilesIn(kFolder) == full);
}

TEST(MovieExtraction, NamesTheCopyAfterTheProjectorAsTheShellSplitsItsName) {
  struct NameCase {
    const char* projector;
    const char* copy;
  };
  const NameCase cases[] = {
      {"C:\\Games\\intro.exe", "intro.swf"},
      {"C:\\Games\\intro", "intro.swf"},
      {"C:\\Games\\intro.v2.exe", "intro.v2.swf"},
      {"C:\\Games\\my.movie file", "my.movie file.swf"},
      {"C:\\Games\\my movie.exe", "my movie.swf"},
      {"C:\\Games\\.exe", "movie.swf"},
      {"C:\\Games\\new.folder\\intro", "intro.swf"},
      {"C:\\Games/intro.exe", "intro.swf"},
      // 0x95 0x5C is one character in code page 932, not a folder and a name.
      {"C:\\Games\\\x95\\.exe", "\x95\\.swf"},
      {"C:\\Games\\\x95\\intro.exe", "\x95\\intro.swf"},
  };
  for (const NameCase& test : cases) {
    SCOPED_TRACE(test.projector);
    MemoryFileSystem system;
    system.leadBytes = {0x95};
    system.ownPath = test.projector;
    system.files[system.ownPath] = ProjectorOf(RandomBytes(10, 9));

    const ExtractionRun run = Extract(system);

    ASSERT_EQ(run.result, Extraction::Saved) << run.failure;
    EXPECT_EQ(run.savedPath, kFolder + "\\" + test.copy);
  }
}

}  // namespace
}  // namespace swivex::testing
