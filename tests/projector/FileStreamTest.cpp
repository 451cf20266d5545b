#include "common/Exceptions.h"
#include "projector/FileStream.h"
#include "tests/projector/ProjectorFixture.h"

namespace swivex::testing {
namespace {

using FileStreamTest = ProjectorTest;

TEST_F(FileStreamTest, CopyFromWithCountZeroCopiesTheWholeSourceFromItsStart) {
  const Bytes source = RandomBytes(130000, 3);
  WriteBytes(Work("s.bin"), source);
  {
    FileStream in = FileStream::OpenRead(Work("s.bin"), files);
    FileStream out = CreateNew("t.bin");
    in.Seek(-10);
    out.CopyFrom(in, 0);
  }
  EXPECT_EQ(ReadBytes(Work("t.bin")), source);
}

TEST_F(FileStreamTest, CopyFromWithACountCopiesFromThePositionAndFailsPastTheEnd) {
  const Bytes source = RandomBytes(100, 3);
  WriteBytes(Work("s.bin"), source);
  {
    FileStream in = FileStream::OpenRead(Work("s.bin"), files);
    FileStream out = CreateNew("t.bin");
    in.Seek(-30);
    out.CopyFrom(in, 20);
    EXPECT_THROW(out.CopyFrom(in, 11), EReadError);
  }
  Bytes copied = ReadBytes(Work("t.bin"));
  ASSERT_GE(copied.size(), 20u);
  EXPECT_EQ(Bytes(copied.begin(), copied.begin() + 20),
            Bytes(source.begin() + 70, source.begin() + 90));
}

TEST_F(FileStreamTest, ZeroByteTransfersDoNothingAndRaiseNothing) {
  WriteBytes(Work("empty.bin"), {});
  FileStream in = FileStream::OpenRead(Work("empty.bin"), files);
  FileStream out = CreateNew("t.bin");
  in.ReadExact(nullptr, 0);
  out.WriteExact(nullptr, 0);
  out.CopyFrom(in, 0);
  out.CopyExactly(in, 0);
  EXPECT_EQ(out.Size(), 0u);
}

TEST_F(FileStreamTest, OpenReadRequiresAnExistingFile) {
  EXPECT_THROW(FileStream::OpenRead(Work("missing.bin"), files), EFOpenError);
  EXPECT_FALSE(Exists(Work("missing.bin")));
}

TEST_F(FileStreamTest, MovedFromStreamNoLongerOwnsTheFile) {
  WriteBytes(Work("a.bin"), {1});
  FileStream first = FileStream::OpenRead(Work("a.bin"), files);
  FileStream second(std::move(first));
  first.Close();
  EXPECT_THROW(FileStream::OpenRead(Work("a.bin"), files), EFOpenError) << "still held";
  second.Close();
  EXPECT_NO_THROW(FileStream::OpenRead(Work("a.bin"), files));
}

}  // namespace
}  // namespace swivex::testing
