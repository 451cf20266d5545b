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

  FileResult writable = files.OpenWritableExclusive(file);
  EXPECT_EQ(writable.file, kNoFile);
  EXPECT_EQ(writable.error, errors::kSharingViolation);

  EXPECT_EQ(files.CloseFile(first.file), 0u);
  EXPECT_EQ(ReadBytes(file), (Bytes{1, 2, 3, 4, 5}));

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
    FileResult writable = files.OpenWritableExclusive(file);
    EXPECT_EQ(writable.file, kNoFile);
  }
  EXPECT_EQ(ReadBytes(file).size(), 5u);
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

  EXPECT_EQ(files.SeekFile(opened.file, -2, SeekOrigin::End), 0u);
  EXPECT_EQ(files.ReadFile(opened.file, &byte, 1).done, 1u);
  EXPECT_EQ(byte, 4);

  EXPECT_NE(files.SeekFile(opened.file, -6, SeekOrigin::End), 0u);
  EXPECT_EQ(files.ReadFile(opened.file, &byte, 1).done, 1u);
  EXPECT_EQ(byte, 5) << "a failed seek leaves the position where it was";

  EXPECT_EQ(files.SeekFile(opened.file, 3, SeekOrigin::End), 0u);
  EXPECT_EQ(files.ReadFile(opened.file, &byte, 1).done, 0u);
  EXPECT_EQ(files.FileSize(opened.file).size, 5u);
  files.CloseFile(opened.file);
}

TEST_F(ExclusiveFiles, OpeningAFolderOrAMissingFileFails) {
  FileResult missing = files.OpenFileExclusive(folder / "missing.bin");
  EXPECT_EQ(missing.file, kNoFile);
  EXPECT_EQ(missing.error, errors::kFileNotFound);

  EXPECT_EQ(files.OpenFileExclusive(folder.Path().string()).file, kNoFile);
  EXPECT_EQ(files.OpenWritableExclusive(folder.Path().string()).file, kNoFile);
  EXPECT_EQ(files.CreateNewFileExclusive(folder.Path().string()).file, kNoFile);
}

// What puts a finished target in place: a new name never replaces a file, and a replacement
// takes the old file's place in one step.
TEST_F(ExclusiveFiles, NewFilesRenamesAndReplacementsNeverOverwriteByAccident) {
  const FileResult taken = files.CreateNewFileExclusive(file);
  EXPECT_EQ(taken.file, kNoFile);
  EXPECT_EQ(taken.error, errors::kFileExists);

  const std::string scratch = folder / "scratch.bin";
  const FileResult created = files.CreateNewFileExclusive(scratch);
  ASSERT_NE(created.file, kNoFile);
  const unsigned char bytes[] = {9, 8};
  EXPECT_EQ(files.WriteFile(created.file, bytes, 2).done, 2u);
  EXPECT_EQ(files.FlushFile(created.file), 0u);
  EXPECT_EQ(files.CloseFile(created.file), 0u);

  EXPECT_NE(files.RenameFile(scratch, file), 0u);
  EXPECT_EQ(ReadBytes(file), (Bytes{1, 2, 3, 4, 5}));
  EXPECT_EQ(ReadBytes(scratch), (Bytes{9, 8}));

  EXPECT_EQ(files.ReplaceExisting(file, scratch), 0u);
  EXPECT_EQ(ReadBytes(file), (Bytes{9, 8}));
  EXPECT_FALSE(Exists(scratch));

  EXPECT_EQ(files.RenameFile(file, scratch), 0u);
  EXPECT_EQ(ReadBytes(scratch), (Bytes{9, 8}));
  EXPECT_FALSE(Exists(file));
}

}  // namespace
}  // namespace swivex::testing
