// The file operations that the conversions rely on, against the real system: exclusive opens
// keep every other opener out, in this process and in others, and seeking from the end follows
// the system's rules.
#include <gtest/gtest.h>

#include "platform/SystemFiles.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {
namespace {

class ExclusiveFiles : public ::testing::Test {
 protected:
  SystemFiles files;
  TempFolder folder;
  std::string file = folder / "held.bin";

  void SetUp() override { WriteBytes(file, {1, 2, 3, 4, 5}); }
};

TEST_F(ExclusiveFiles, HeldFileKeepsOutEveryOtherOpenInThisProcess) {
  FileResult first = files.OpenFileExclusive(file);
  ASSERT_NE(first.file, kNoFile);

  FileResult read = files.OpenFileExclusive(file);
  EXPECT_EQ(read.file, kNoFile);
  EXPECT_EQ(read.error, errors::kSharingViolation);

  FileResult create = files.CreateFileExclusive(file);
  EXPECT_EQ(create.file, kNoFile);
  EXPECT_EQ(create.error, errors::kSharingViolation);

  files.CloseFile(first.file);
  EXPECT_EQ(ReadBytes(file), (Bytes{1, 2, 3, 4, 5})) << "a refused create must not truncate";

  FileResult again = files.OpenFileExclusive(file);
  EXPECT_NE(again.file, kNoFile) << "closing releases the file";
  files.CloseFile(again.file);
}

TEST_F(ExclusiveFiles, FileHeldByAnotherProcessCannotBeOpenedOrCreated) {
  {
    HeldByOtherProcess holder(file);
    FileResult read = files.OpenFileExclusive(file);
    EXPECT_EQ(read.file, kNoFile);
    EXPECT_EQ(read.error, errors::kSharingViolation);
    FileResult create = files.CreateFileExclusive(file);
    EXPECT_EQ(create.file, kNoFile);
  }
  EXPECT_EQ(ReadBytes(file).size(), 5u) << "a refused create must not truncate";
  FileResult afterwards = files.OpenFileExclusive(file);
  EXPECT_NE(afterwards.file, kNoFile);
  files.CloseFile(afterwards.file);
}

TEST_F(ExclusiveFiles, OtherProcessCannotTakeAFileThisProcessHolds) {
  FileResult held = files.OpenFileExclusive(file);
  ASSERT_NE(held.file, kNoFile);
  ChildProcess holder(SiblingProgram("file_holder"), {file, folder / "never"});
  EXPECT_EQ(holder.Wait(), 1);
  files.CloseFile(held.file);
}

TEST_F(ExclusiveFiles, SeekFromEndStaysPutBeforeTheStartAndMayPassTheEnd) {
  FileResult opened = files.OpenFileExclusive(file);
  ASSERT_NE(opened.file, kNoFile);
  unsigned char byte = 0;

  EXPECT_TRUE(files.SeekFile(opened.file, -2, SeekOrigin::End));
  EXPECT_EQ(files.ReadFile(opened.file, &byte, 1).done, 1u);
  EXPECT_EQ(byte, 4);

  EXPECT_FALSE(files.SeekFile(opened.file, -6, SeekOrigin::End));
  EXPECT_EQ(files.ReadFile(opened.file, &byte, 1).done, 1u);
  EXPECT_EQ(byte, 5) << "a failed seek leaves the position where it was";

  EXPECT_TRUE(files.SeekFile(opened.file, 3, SeekOrigin::End));
  EXPECT_EQ(files.ReadFile(opened.file, &byte, 1).done, 0u);
  EXPECT_EQ(files.FileSize(opened.file), 5u);
  files.CloseFile(opened.file);
}

TEST_F(ExclusiveFiles, OpeningAFolderOrAMissingFileFails) {
  FileResult missing = files.OpenFileExclusive(folder / "missing.bin");
  EXPECT_EQ(missing.file, kNoFile);
  EXPECT_EQ(missing.error, errors::kFileNotFound);

  EXPECT_EQ(files.OpenFileExclusive(folder.Path().string()).file, kNoFile);
  EXPECT_EQ(files.CreateFileExclusive(folder.Path().string()).file, kNoFile);
}

}  // namespace
}  // namespace swivex::testing
