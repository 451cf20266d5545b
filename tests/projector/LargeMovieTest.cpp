// Movies past the 2 GiB and 4 GiB marks, as sparse files so that they cost little disk.
#include <filesystem>
#include <fstream>

#include "common/Exceptions.h"
#include "projector/Conversions.h"
#include "tests/projector/ProjectorFixture.h"

namespace swivex::testing {
namespace {

using LargeMovieTest = ProjectorTest;

void WriteAt(const std::string& name, std::uint64_t offset, const Bytes& bytes) {
  std::fstream file(name, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good());
}

Bytes ReadAt(const std::string& name, std::uint64_t offset, std::size_t count) {
  std::ifstream file(name, std::ios::binary);
  file.seekg(static_cast<std::streamoff>(offset));
  Bytes bytes(count);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
  return bytes;
}

TEST_F(LargeMovieTest, MovieOfFourGigabytesIsRefusedBeforeAnythingIsCreated) {
  PlantStub(10);
  WriteBytes(Work("huge.swf"), {});
  std::filesystem::resize_file(Work("huge.swf"), 0x100000000ull);
  WriteBytes(Work("huge.exe"), {3, 3, 3});
  try {
    BuildProjector(Work("huge.swf"), Work("huge.exe"), files);
    FAIL() << "no error raised";
  } catch (const EWriteError& error) {
    EXPECT_EQ(error.Message(), "Cannot build a projector from \"" +
                                   files.FullPathName(Work("huge.swf")).path +
                                   "\". A movie must be smaller than 4 GB");
  }
  EXPECT_EQ(ReadBytes(Work("huge.exe")), (Bytes{3, 3, 3}));
}

TEST_F(LargeMovieTest, MovieBetweenTwoAndFourGigabytesExtractsByteForByte) {
  const std::uint64_t movieLength = 0x80000000ull + 5;  // past the signed 32-bit range
  const Bytes head = RandomBytes(16, 1), tail = RandomBytes(16, 2);
  WriteBytes(Work("big.exe"), head);  // a 16-byte "stub", then the movie
  std::filesystem::resize_file(Work("big.exe"), 16 + movieLength);
  WriteAt(Work("big.exe"), 16, head);
  WriteAt(Work("big.exe"), 16 + movieLength - tail.size(), tail);
  WriteAt(Work("big.exe"), 16 + movieLength,
          ProjectorTrailer(static_cast<std::uint32_t>(movieLength)));

  EXPECT_EQ(ExtractMovie(Work("big.exe"), Work("big.swf"), files), kConvertedMessage);
  EXPECT_EQ(std::filesystem::file_size(Work("big.swf")), movieLength);
  EXPECT_EQ(ReadAt(Work("big.swf"), 0, 16), head);
  EXPECT_EQ(ReadAt(Work("big.swf"), 0x40000000, 16), Bytes(16, 0));
  EXPECT_EQ(ReadAt(Work("big.swf"), movieLength - tail.size(), tail.size()), tail);
}

}  // namespace
}  // namespace swivex::testing
