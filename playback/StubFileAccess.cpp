#include "playback/StubFileAccess.h"

namespace swivex {

StubError OpenFileForReading(StubSystem& system, const char* path, UniqueStubFile& file) {
  StubFile opened = kNoStubFile;
  const StubError error = system.OpenForReading(path, opened);
  if (error == stub_errors::kNone) file.Reset({&system, opened});
  return error;
}

StubError CreateNewFile(StubSystem& system, const char* path, UniqueStubFile& file) {
  StubFile created = kNoStubFile;
  const StubError error = system.CreateNewFile(path, created);
  if (error == stub_errors::kNone) file.Reset({&system, created});
  return error;
}

StubError ReadExactly(OpenStubFile file, void* buffer, std::uint32_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    std::uint32_t done = 0;
    const StubError error = file.system->Read(file.file, bytes, count, done);
    if (error != stub_errors::kNone) return error;
    if (done == 0) return stub_errors::kHandleEof;
    bytes += done;
    count -= done;
  }
  return stub_errors::kNone;
}

StubError WriteExactly(OpenStubFile file, const void* buffer, std::uint32_t count) {
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  while (count > 0) {
    std::uint32_t done = 0;
    const StubError error = file.system->Write(file.file, bytes, count, done);
    if (error != stub_errors::kNone) return error;
    if (done == 0) return stub_errors::kDiskFull;
    bytes += done;
    count -= done;
  }
  return stub_errors::kNone;
}

StubError CloseFile(UniqueStubFile& file) {
  const OpenStubFile open = file.Release();
  return open.system->Close(open.file);
}

}  // namespace swivex
