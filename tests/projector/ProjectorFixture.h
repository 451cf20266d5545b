#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <string>

#include "projector/FileStream.h"
#include "tests/support/MovedProgramFiles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

namespace swivex::testing {

// The system's files, with the program folder moved to a test folder and with reads and writes
// (the system's own copies among them) that can be made to fail on demand.
class ProjectorFiles : public MovedProgramFiles {
 public:
  // Writes fail with a full disk once this many bytes have been written.
  std::uint64_t writeBudget = std::numeric_limits<std::uint64_t>::max();
  // Reads of files opened under this name fail.
  std::string unreadable;
  // The system's copies decline once they have copied this many bytes in all.
  std::uint64_t systemCopyBudget = std::numeric_limits<std::uint64_t>::max();
  // ReplaceExisting removes the replaced file and fails, leaving the replacement under its own
  // name, as ReplaceFileA does when it cannot move the replacement.
  bool replaceCannotMove = false;
  // RenameFile fails with this error; 0 lets it work.
  ErrorCode renameError = 0;

  FileResult OpenFileExclusive(const std::string& name) override;
  FileResult OpenWritableExclusive(const std::string& name) override;
  FileResult CreateNewFileExclusive(const std::string& name) override;
  TransferResult ReadFile(NativeFile file, void* buffer, std::size_t count) override;
  TransferResult WriteFile(NativeFile file, const void* buffer, std::size_t count) override;
  TransferResult CopyRange(NativeFile from, NativeFile to, std::size_t count) override;
  ErrorCode CloseFile(NativeFile file) override;
  ErrorCode ReplaceExisting(const std::string& replaced, const std::string& replacement) override;
  ErrorCode RenameFile(const std::string& from, const std::string& to) override;

  std::set<NativeFile> openFiles;  // every file the logic holds, to check that it lets go

 private:
  FileResult Track(FileResult opened);

  std::set<NativeFile> unreadableFiles_;
};

class ProjectorTest : public ::testing::Test {
 protected:
  ProjectorTest();
  void TearDown() override;

  std::string StubPath() const { return programFolder / "Viewhost.exe"; }
  std::string Work(const std::string& name) const { return work / name; }
  // Writes a stub of `size` random bytes into the program folder and returns its bytes.
  Bytes PlantStub(std::size_t size, std::uint32_t seed = 1);
  // A new file in the work folder, open for writing.
  FileStream CreateNew(const std::string& name);

  TempFolder programFolder;
  TempFolder work;
  ProjectorFiles files;
};

}  // namespace swivex::testing
