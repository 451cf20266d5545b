#include "common/Exceptions.h"
#include "common/SystemErrorText.h"
#include "projector/Conversions.h"
#include "tests/projector/ProjectorFixture.h"
#include "tests/support/ChildProcess.h"

namespace swivex::testing {
namespace {

using ExtractMovieTest = ProjectorTest;

TEST_F(ExtractMovieTest, RoundTripGivesTheMovieBackWhateverTheStub) {
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    const std::size_t stubSize = RandomBytes(1, seed)[0] * 977u;
    const std::size_t movieSize = RandomBytes(2, seed + 100)[1] * 1301u + seed;
    PlantStub(stubSize, seed);
    const Bytes movie = RandomBytes(movieSize, seed + 1000);
    WriteBytes(Work("a.swf"), movie);

    ASSERT_EQ(BuildProjector(Work("a.swf"), Work("a.exe"), files), kConvertedMessage);
    ASSERT_EQ(ExtractMovie(Work("a.exe"), Work("b.swf"), files), kConvertedMessage);
    EXPECT_EQ(ReadBytes(Work("b.swf")), movie) << "stub " << stubSize << ", movie " << movieSize;
  }
}

TEST_F(ExtractMovieTest, EmptyMovieRoundTrips) {
  PlantStub(300);
  WriteBytes(Work("e.swf"), {});
  BuildProjector(Work("e.swf"), Work("e.exe"), files);
  WriteBytes(Work("out.swf"), {1, 2, 3});
  EXPECT_EQ(ExtractMovie(Work("e.exe"), Work("out.swf"), files), kConvertedMessage);
  EXPECT_TRUE(Exists(Work("out.swf")));
  EXPECT_TRUE(ReadBytes(Work("out.swf")).empty());
}

// Files too short for a trailer are read from their first byte, as the seek to the trailer fails.
TEST_F(ExtractMovieTest, ShortAndUnknownFilesAreRecognisedByTheirLastEightBytesAlone) {
  enum Outcome { kUnknown, kReadError, kConverted };
  struct Case {
    Bytes file;
    Outcome outcome;
  };
  const Case cases[] = {
      {{}, kReadError},
      {{0x56}, kReadError},
      {{0x56, 0x34, 0x12}, kReadError},
      {{1, 2, 3, 4}, kUnknown},
      {{0x56, 0x34, 0x12, 0xFA}, kReadError},  // marker first, then no room for a length
      {{1, 2, 3, 4, 5, 6, 7}, kUnknown},
      {{0x56, 0x34, 0x12, 0xFA, 0, 0, 0}, kReadError},
      {{0, 0, 0, 0, 0, 0, 0, 0}, kUnknown},
      {{0x56, 0x34, 0x12, 0xFA, 0, 0, 0, 0}, kConverted},  // an empty movie and nothing else
      {{0x56, 0x34, 0x12, 0xFA, 1, 0, 0, 0}, kReadError},
      {{9, 0x56, 0x34, 0x12, 0xFA, 1, 0, 0, 0}, kConverted},
      {{0x56, 0x34, 0x12, 0xFA, 0, 0, 0, 0, 1}, kUnknown},
      {{1, 2, 3, 4, 0x56, 0x34, 0x12, 0xFA, 4, 0, 0, 0}, kConverted},
      {{1, 2, 3, 4, 0x56, 0x34, 0x12, 0xFA, 5, 0, 0, 0}, kReadError},
      {{1, 2, 3, 4, 0x56, 0x34, 0x12, 0xFB, 0, 0, 0, 0}, kUnknown},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.file));
    WriteBytes(Work("in.exe"), c.file);
    std::filesystem::remove(Work("out.swf"));
    switch (c.outcome) {
      case kUnknown:
        EXPECT_EQ(ExtractMovie(Work("in.exe"), Work("out.swf"), files), kUnknownProjectorMessage);
        EXPECT_FALSE(Exists(Work("out.swf")));
        break;
      case kReadError:
        EXPECT_THROW(ExtractMovie(Work("in.exe"), Work("out.swf"), files), EReadError);
        EXPECT_FALSE(Exists(Work("out.swf")));
        break;
      case kConverted:
        EXPECT_EQ(ExtractMovie(Work("in.exe"), Work("out.swf"), files), kConvertedMessage);
        EXPECT_EQ(ReadBytes(Work("out.swf")), Bytes(c.file.begin(), c.file.end() - 8));
        break;
    }
    EXPECT_EQ(ReadBytes(Work("in.exe")), c.file) << "the source is never modified";
  }
}

TEST_F(ExtractMovieTest, UnknownFileLeavesAnExistingTargetAsItWas) {
  WriteBytes(Work("plain.exe"), RandomBytes(5000, 4));
  WriteBytes(Work("plain.swf"), {1, 2, 3});
  EXPECT_EQ(ExtractMovie(Work("plain.exe"), Work("plain.swf"), files), kUnknownProjectorMessage);
  EXPECT_EQ(ReadBytes(Work("plain.swf")), (Bytes{1, 2, 3}));
}

TEST_F(ExtractMovieTest, LengthsThatDoNotFitAreReadErrorsThatCreateNothing) {
  const Bytes body = RandomBytes(1000, 6);
  for (std::uint32_t length : {1001u, 1007u, 0x7FFFFFF8u, 0x7FFFFFF9u, 0x80000000u, 0xFFFFFFF7u,
                               0xFFFFFFF8u, 0xFFFFFFFCu, 0xFFFFFFFFu}) {
    WriteBytes(Work("bad.exe"), Concat(body, ProjectorTrailer(length)));
    WriteBytes(Work("bad.swf"), {5, 5});
    try {
      ExtractMovie(Work("bad.exe"), Work("bad.swf"), files);
      ADD_FAILURE() << "no error for length " << length;
    } catch (const EReadError& error) {
      EXPECT_EQ(error.Message(), "Stream read error");
    }
    EXPECT_EQ(ReadBytes(Work("bad.swf")), (Bytes{5, 5})) << length;
  }
}

TEST_F(ExtractMovieTest, LengthThatFillsTheWholeFileIsTheWholeFile) {
  const Bytes body = RandomBytes(1000, 6);
  WriteBytes(Work("all.exe"), Concat(body, ProjectorTrailer(1000)));
  EXPECT_EQ(ExtractMovie(Work("all.exe"), Work("all.swf"), files), kConvertedMessage);
  EXPECT_EQ(ReadBytes(Work("all.swf")), body);
}

TEST_F(ExtractMovieTest, ExtractingOntoTheBundleItselfIsRefusedAndKeepsTheBundle) {
  PlantStub(50);
  WriteBytes(Work("m.swf"), RandomBytes(300, 1));
  BuildProjector(Work("m.swf"), Work("m.exe"), files);
  const Bytes bundle = ReadBytes(Work("m.exe"));
  try {
    ExtractMovie(Work("m.exe"), Work("m.exe"), files);
    FAIL() << "no error raised";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message(), "Cannot create file \"" + files.FullPathName(Work("m.exe")).path +
                                   "\". " + SystemErrorText(errors::kSharingViolation, files));
  }
  EXPECT_EQ(ReadBytes(Work("m.exe")), bundle);
}

TEST_F(ExtractMovieTest, MissingBundleNamesItsFullPath) {
  try {
    ExtractMovie(Work("gone.exe"), Work("gone.swf"), files);
    FAIL() << "no error raised";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message(), "Cannot open file \"" + files.FullPathName(Work("gone.exe")).path +
                                   "\". " + SystemErrorText(errors::kFileNotFound, files));
  }
  EXPECT_FALSE(Exists(Work("gone.swf")));
}

TEST_F(ExtractMovieTest, BundleHeldByAnotherProgramCannotBeOpened) {
  WriteBytes(Work("h.exe"), Concat({1, 2}, ProjectorTrailer(2)));
  HeldByOtherProcess holder(Work("h.exe"));
  EXPECT_THROW(ExtractMovie(Work("h.exe"), Work("h.swf"), files), EFOpenError);
  EXPECT_FALSE(Exists(Work("h.swf")));
}

// "Convert Exe To Swf" proposes intro.swf beside intro.exe, which is usually the user's original
// movie: a disk that fills up must leave it as it was.
TEST_F(ExtractMovieTest, FullDiskLeavesTheOriginalMovieAsItWas) {
  WriteBytes(Work("big.exe"), Concat(RandomBytes(150000, 2), ProjectorTrailer(150000)));
  files.writeBudget = 70000;
  EXPECT_THROW(ExtractMovie(Work("big.exe"), Work("big.swf"), files), EWriteError);
  EXPECT_FALSE(Exists(Work("big.swf")));

  const Bytes original = RandomBytes(120000, 6);
  WriteBytes(Work("big.swf"), original);
  files.writeBudget = 70000;
  EXPECT_THROW(ExtractMovie(Work("big.exe"), Work("big.swf"), files), EWriteError);
  EXPECT_EQ(ReadBytes(Work("big.swf")), original);
}

TEST_F(ExtractMovieTest, ErrorKindsDescendAsTheErrorBoxExpects) {
  WriteBytes(Work("x.exe"), {1});
  try {
    ExtractMovie(Work("x.exe"), Work("x.swf"), files);
    FAIL() << "no error raised";
  } catch (const EFilerError& error) {
    EXPECT_NE(dynamic_cast<const EReadError*>(&error), nullptr);
    EXPECT_NE(dynamic_cast<const EStreamError*>(&error), nullptr);
    EXPECT_NE(dynamic_cast<const Exception*>(&error), nullptr);
  }
}

}  // namespace
}  // namespace swivex::testing
