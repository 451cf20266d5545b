#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "common/Exceptions.h"
#include "common/SystemErrorText.h"
#include "projector/Conversions.h"
#include "tests/projector/ProjectorFixture.h"
#include "tests/support/ChildProcess.h"

namespace swivex::testing {
namespace {

using BuildProjectorTest = ProjectorTest;

TEST_F(BuildProjectorTest, WritesStubMovieAndTrailer) {
  for (std::size_t movieSize : {std::size_t{0}, std::size_t{1}, std::size_t{61440},
                                std::size_t{61441}, std::size_t{200003}}) {
    const Bytes stub = PlantStub(70000, static_cast<std::uint32_t>(movieSize));
    const Bytes movie = RandomBytes(movieSize, 99);
    WriteBytes(Work("intro.swf"), movie);

    EXPECT_EQ(BuildProjector(Work("intro.swf"), Work("intro.exe"), files), kConvertedMessage);

    const Bytes built = ReadBytes(Work("intro.exe"));
    ASSERT_EQ(built.size(), stub.size() + movieSize + 8);
    EXPECT_EQ(built,
              Concat(Concat(stub, movie), ProjectorTrailer(static_cast<std::uint32_t>(movieSize))));
  }
}

TEST_F(BuildProjectorTest, EmptyMovieGivesStubAndZeroLengthTrailer) {
  const Bytes stub = PlantStub(1000);
  WriteBytes(Work("empty.swf"), {});
  BuildProjector(Work("empty.swf"), Work("empty.exe"), files);
  EXPECT_EQ(ReadBytes(Work("empty.exe")), Concat(stub, {0x56, 0x34, 0x12, 0xFA, 0, 0, 0, 0}));
}

TEST_F(BuildProjectorTest, ReplacesAnExistingTargetEntirely) {
  const Bytes stub = PlantStub(10);
  WriteBytes(Work("m.swf"), {7, 7, 7});
  WriteBytes(Work("m.exe"), RandomBytes(100000, 5));
  BuildProjector(Work("m.swf"), Work("m.exe"), files);
  EXPECT_EQ(ReadBytes(Work("m.exe")), Concat(Concat(stub, {7, 7, 7}), ProjectorTrailer(3)));
}

TEST_F(BuildProjectorTest, MissingStubNamesItsFullPathAndTheSystemsReason) {
  WriteBytes(Work("m.swf"), {1});
  try {
    BuildProjector(Work("m.swf"), Work("m.exe"), files);
    FAIL() << "no error raised";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message(), "Cannot open file \"" + files.FullPathName(StubPath()).path +
                                   "\". " + SystemErrorText(errors::kFileNotFound, files));
  }
  EXPECT_FALSE(Exists(Work("m.exe")));
}

TEST_F(BuildProjectorTest, MissingMovieIsAnOpenErrorAndLeavesAnOldTargetAlone) {
  PlantStub(10);
  WriteBytes(Work("m.exe"), {4, 5, 6});
  EXPECT_THROW(BuildProjector(Work("m.swf"), Work("m.exe"), files), EFOpenError);
  EXPECT_EQ(ReadBytes(Work("m.exe")), (Bytes{4, 5, 6}));
}

TEST_F(BuildProjectorTest, RefusesATargetThatIsTheMovieHoweverItIsSpelled) {
  PlantStub(10);
  const Bytes movie = RandomBytes(5000, 3);
  WriteBytes(Work("movie.exe"), movie);
  std::filesystem::create_hard_link(Work("movie.exe"), Work("link.exe"));
  std::filesystem::create_directory(Work("sub"));

  std::vector<std::string> spellings = {Work("movie.exe"), Work("link.exe"),
                                        Work("sub") + "/../movie.exe"};
#ifdef _WIN32
  spellings.push_back(Work("MOVIE.EXE"));
  spellings.push_back(Work("sub") + "\\..\\movie.exe");
#endif
  for (const auto& target : spellings) {
    try {
      BuildProjector(Work("movie.exe"), target, files);
      ADD_FAILURE() << "built onto its own movie through " << target;
    } catch (const EFCreateError& error) {
      EXPECT_NE(error.Message().find(SystemErrorText(errors::kSharingViolation, files)),
                std::string::npos)
          << error.Message();
    }
    EXPECT_EQ(ReadBytes(Work("movie.exe")), movie) << target;
  }
}

TEST_F(BuildProjectorTest, RefusesATargetThatIsThePlayerStub) {
  const Bytes stub = PlantStub(4000);
  WriteBytes(programFolder / "Viewhost.swf", {1, 2, 3});
  EXPECT_THROW(BuildProjector(programFolder / "Viewhost.swf", StubPath(), files), EFCreateError);
  EXPECT_EQ(ReadBytes(StubPath()), stub);
}

TEST_F(BuildProjectorTest, MovieHeldByAnotherProgramCannotBeOpened) {
  PlantStub(10);
  WriteBytes(Work("m.swf"), {1, 2});
  HeldByOtherProcess holder(Work("m.swf"));
  try {
    BuildProjector(Work("m.swf"), Work("m.exe"), files);
    FAIL() << "no error raised";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message(), "Cannot open file \"" + files.FullPathName(Work("m.swf")).path +
                                   "\". " + SystemErrorText(errors::kSharingViolation, files));
  }
  EXPECT_FALSE(Exists(Work("m.exe")));
}

TEST_F(BuildProjectorTest, TargetHeldByAnotherProgramIsACreateErrorAndStaysIntact) {
  PlantStub(10);
  WriteBytes(Work("m.swf"), {1, 2});
  WriteBytes(Work("m.exe"), {9, 9});
  {
    HeldByOtherProcess holder(Work("m.exe"));
    EXPECT_THROW(BuildProjector(Work("m.swf"), Work("m.exe"), files), EFCreateError);
  }
  EXPECT_EQ(ReadBytes(Work("m.exe")), (Bytes{9, 9}));
}

// A disk that fills up partway (a USB stick) leaves a target that was there before exactly as it
// was, and no new or half-written file.
TEST_F(BuildProjectorTest, FullDiskIsAWriteErrorAndLeavesAnOldTargetAsItWas) {
  PlantStub(100000);
  WriteBytes(Work("m.swf"), RandomBytes(100000, 8));
  const Bytes old = RandomBytes(3000, 4);
  for (const bool oldTarget : {false, true}) {
    if (oldTarget) WriteBytes(Work("m.exe"), old);
    for (std::uint64_t budget : {0u, 1u, 61440u, 150000u, 200003u}) {
      files.writeBudget = budget;
      try {
        BuildProjector(Work("m.swf"), Work("m.exe"), files);
        ADD_FAILURE() << "no error with " << budget << " bytes of room";
      } catch (const EWriteError& error) {
        EXPECT_EQ(error.Message(), "Stream write error");
      }
      if (oldTarget) {
        EXPECT_EQ(ReadBytes(Work("m.exe")), old) << budget;
      } else {
        EXPECT_FALSE(Exists(Work("m.exe"))) << budget;
      }
    }
  }
}

TEST_F(BuildProjectorTest, ReadFailureIsAReadErrorAndRemovesTheIncompleteTarget) {
  PlantStub(100);
  WriteBytes(Work("m.swf"), RandomBytes(1000, 8));
  files.unreadable = Work("m.swf");
  EXPECT_THROW(BuildProjector(Work("m.swf"), Work("m.exe"), files), EReadError);
  EXPECT_FALSE(Exists(Work("m.exe")));
  EXPECT_EQ(ReadBytes(Work("m.swf")).size(), 1000u);
}

// The finished projector takes the old one's place as a replacement, not as a new file: what
// the user set on the file stays (the hidden attribute on Windows, the permission bits elsewhere).
TEST_F(BuildProjectorTest, ReplacedTargetKeepsItsAttributes) {
  const Bytes stub = PlantStub(10);
  WriteBytes(Work("m.swf"), {7});
  WriteBytes(Work("m.exe"), {1, 2});
#ifdef _WIN32
  ASSERT_TRUE(::SetFileAttributesA(Work("m.exe").c_str(), FILE_ATTRIBUTE_HIDDEN));
#else
  // Bits that no scratch file gets from the usual umask.
  ASSERT_EQ(::chmod(Work("m.exe").c_str(), 0741), 0);
#endif
  BuildProjector(Work("m.swf"), Work("m.exe"), files);
  EXPECT_EQ(ReadBytes(Work("m.exe")), Concat(Concat(stub, {7}), ProjectorTrailer(1)));
#ifdef _WIN32
  EXPECT_NE(::GetFileAttributesA(Work("m.exe").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
#else
  struct stat info {};
  ASSERT_EQ(::stat(Work("m.exe").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0741u);
#endif
}

// The scratch file is the first file a conversion makes: when it cannot be made, the message
// names it and gives the system's reason, rather than blaming the target.
TEST_F(BuildProjectorTest, UncreatableScratchFileIsACreateErrorWithItsFullPath) {
  PlantStub(10);
  WriteBytes(Work("m.swf"), {1});
  const std::string folder = Work("no such folder");
  try {
    BuildProjector(Work("m.swf"), (std::filesystem::path(folder) / "m.exe").string(), files);
    FAIL() << "no error raised";
  } catch (const EFCreateError& error) {
    const std::string prefix =
        "Cannot create file \"" + (std::filesystem::path(folder) / "~swivex-").string();
    const std::string suffix = ".tmp\". " + SystemErrorText(errors::kPathNotFound, files);
    const std::string& message = error.Message();
    ASSERT_EQ(message.size(), prefix.size() + 16 + suffix.size()) << message;
    EXPECT_EQ(message.substr(0, prefix.size()), prefix);
    EXPECT_EQ(message.find_first_not_of("0123456789abcdef", prefix.size()), prefix.size() + 16)
        << "a random number of 16 hexadecimal digits: " << message;
    EXPECT_EQ(message.substr(prefix.size() + 16), suffix);
  }
}

}  // namespace
}  // namespace swivex::testing
