#include "tests/projector/ProjectorFixture.h"

#include "projector/ProjectorTrailer.h"

namespace swivex::testing {

FileResult ProjectorPlatform::CreateFileExclusive(const std::string& name) {
  FileResult created = RealPlatform::CreateFileExclusive(name);
  if (created.file != kNoFile) openFiles.insert(created.file);
  return created;
}

FileResult ProjectorPlatform::OpenFileExclusive(const std::string& name) {
  FileResult opened = RealPlatform::OpenFileExclusive(name);
  if (opened.file != kNoFile) {
    openFiles.insert(opened.file);
    if (name == unreadable) unreadableFiles_.insert(opened.file);
  }
  return opened;
}

TransferResult ProjectorPlatform::ReadFile(NativeFile file, void* buffer, std::size_t count) {
  if (unreadableFiles_.count(file)) return {0, errors::kAccessDenied};
  return RealPlatform::ReadFile(file, buffer, count);
}

TransferResult ProjectorPlatform::WriteFile(NativeFile file, const void* buffer,
                                            std::size_t count) {
  if (count > writeBudget) {
    // A full disk takes what fits, then refuses.
    if (writeBudget == 0) return {0, errors::kDiskFull};
    count = static_cast<std::size_t>(writeBudget);
  }
  TransferResult written = RealPlatform::WriteFile(file, buffer, count);
  writeBudget -= written.done;
  return written;
}

void ProjectorPlatform::CloseFile(NativeFile file) {
  openFiles.erase(file);
  unreadableFiles_.erase(file);
  RealPlatform::CloseFile(file);
}

ProjectorTest::ProjectorTest() { platform.moduleFileName = programFolder / "Swivex.exe"; }

void ProjectorTest::TearDown() {
  EXPECT_TRUE(platform.openFiles.empty()) << "every source is closed on the way out";
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
