#include "tests/projector/ProjectorFixture.h"

#include "projector/ProjectorTrailer.h"

namespace swivex::testing {

FileResult ProjectorFiles::CreateFileExclusive(const std::string& name) {
  FileResult created = MovedProgramFiles::CreateFileExclusive(name);
  if (created.file != kNoFile) openFiles.insert(created.file);
  return created;
}

FileResult ProjectorFiles::OpenFileExclusive(const std::string& name) {
  FileResult opened = MovedProgramFiles::OpenFileExclusive(name);
  if (opened.file != kNoFile) {
    openFiles.insert(opened.file);
    if (name == unreadable) unreadableFiles_.insert(opened.file);
  }
  return opened;
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

void ProjectorFiles::CloseFile(NativeFile file) {
  openFiles.erase(file);
  unreadableFiles_.erase(file);
  MovedProgramFiles::CloseFile(file);
}

ProjectorTest::ProjectorTest() { files.moduleFileName = programFolder / "Swivex.exe"; }

void ProjectorTest::TearDown() {
  EXPECT_TRUE(files.openFiles.empty()) << "every source is closed on the way out";
}

Bytes ProjectorTest::PlantStub(std::size_t size, std::uint32_t seed) {
  Bytes stub = RandomBytes(size, seed);
  WriteBytes(StubPath(), stub);
  return stub;
}

Bytes Trailer(std::uint32_t movieLength) {
  const auto magic = ToLittleEndian(ProjectorMagic);
  const auto length = ToLittleEndian(movieLength);
  return {magic[0], magic[1], magic[2], magic[3], length[0], length[1], length[2], length[3]};
}

}  // namespace swivex::testing
