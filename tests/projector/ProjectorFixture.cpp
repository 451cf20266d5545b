#include "tests/projector/ProjectorFixture.h"

#include <algorithm>
#include <stdexcept>

namespace swivex::testing {

FileResult ProjectorFiles::Track(FileResult opened) {
  if (opened.file != kNoFile) openFiles.insert(opened.file);
  return opened;
}

FileResult ProjectorFiles::OpenFileExclusive(const std::string& name) {
  const FileResult opened = Track(MovedProgramFiles::OpenFileExclusive(name));
  if (opened.file != kNoFile && name == unreadable) unreadableFiles_.insert(opened.file);
  return opened;
}

FileResult ProjectorFiles::OpenWritableExclusive(const std::string& name) {
  return Track(MovedProgramFiles::OpenWritableExclusive(name));
}

FileResult ProjectorFiles::CreateNewFileExclusive(const std::string& name) {
  return Track(MovedProgramFiles::CreateNewFileExclusive(name));
}

TransferResult ProjectorFiles::ReadFile(NativeFile file, void* buffer, std::size_t count) {
  if (unreadableFiles_.count(file)) return {0, errors::kAccessDenied};
  return MovedProgramFiles::ReadFile(file, buffer, count);
}

TransferResult ProjectorFiles::WriteFile(NativeFile file, const void* buffer, std::size_t count) {
  if (count > writeBudget) {
    // A full disk takes what fits, then refuses.
    if (writeBudget == 0) return {0, errors::kDiskFull};
    count = static_cast<std::size_t>(writeBudget);
  }
  TransferResult written = MovedProgramFiles::WriteFile(file, buffer, count);
  writeBudget -= written.done;
  return written;
}

TransferResult ProjectorFiles::CopyRange(NativeFile from, NativeFile to, std::size_t count) {
  if (unreadableFiles_.count(from)) return {0, errors::kAccessDenied};
  if (writeBudget == 0) return {0, errors::kDiskFull};
  if (systemCopyBudget == 0) return {0, errors::kNotSupported};
  count = static_cast<std::size_t>(std::min<std::uint64_t>({count, writeBudget, systemCopyBudget}));
  TransferResult copied = MovedProgramFiles::CopyRange(from, to, count);
  writeBudget -= copied.done;
  systemCopyBudget -= copied.done;
  return copied;
}

ErrorCode ProjectorFiles::ReplaceExisting(const std::string& replaced,
                                          const std::string& replacement) {
  if (!replaceCannotMove) return MovedProgramFiles::ReplaceExisting(replaced, replacement);
  if (const ErrorCode error = MovedProgramFiles::RemoveFile(replaced)) return error;
  return errors::kUnableToMoveReplacement;
}

ErrorCode ProjectorFiles::RenameFile(const std::string& from, const std::string& to) {
  return renameError != 0 ? renameError : MovedProgramFiles::RenameFile(from, to);
}

ErrorCode ProjectorFiles::CloseFile(NativeFile file) {
  openFiles.erase(file);
  unreadableFiles_.erase(file);
  return MovedProgramFiles::CloseFile(file);
}

ProjectorTest::ProjectorTest() { files.moduleFileName = programFolder / "Swivex.exe"; }

void ProjectorTest::TearDown() {
  EXPECT_TRUE(files.openFiles.empty()) << "every file is closed on the way out";
  for (const std::string& name : NamesIn(work.Path().string()))
    EXPECT_NE(name.rfind("~swivex-", 0), 0u) << "a scratch file was left behind: " << name;
}

FileStream ProjectorTest::CreateNew(const std::string& name) {
  const FileResult created = files.CreateNewFileExclusive(Work(name));
  if (created.file == kNoFile) throw std::runtime_error("cannot create test file " + name);
  return FileStream(created.file, files, FileStream::Direction::Write);
}

Bytes ProjectorTest::PlantStub(std::size_t size, std::uint32_t seed) {
  Bytes stub = RandomBytes(size, seed);
  WriteBytes(StubPath(), stub);
  return stub;
}

}  // namespace swivex::testing
