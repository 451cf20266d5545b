#include "playback/FileAccess.h"

namespace swivex {

FileError OpenFileForReading(FileSystem& system, const char* path, UniqueOpenedFile& file) {
  FileHandle opened = kNoFileHandle;
  const FileError error = system.OpenForReading(path, opened);
  if (error == file_errors::kNone) file.Reset({&system, opened});
  return error;
}

FileError CreateNewFile(FileSystem& system, const char* path, UniqueOpenedFile& file) {
  FileHandle created = kNoFileHandle;
  const FileError error = system.CreateNewFile(path, created);
  if (error == file_errors::kNone) file.Reset({&system, created});
  return error;
}

FileError ReadExactly(OpenedFile file, void* buffer, std::uint32_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (count > 0) {
    std::uint32_t done = 0;
    const FileError error = file.system->Read(file.file, bytes, count, done);
    if (error != file_errors::kNone) return error;
    if (done == 0) return file_errors::kHandleEof;
    bytes += done;
    count -= done;
  }
  return file_errors::kNone;
}

FileError WriteExactly(OpenedFile file, const void* buffer, std::uint32_t count) {
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  while (count > 0) {
    std::uint32_t done = 0;
    const FileError error = file.system->Write(file.file, bytes, count, done);
    if (error != file_errors::kNone) return error;
    if (done == 0) return file_errors::kDiskFull;
    bytes += done;
    count -= done;
  }
  return file_errors::kNone;
}

FileError CloseFile(UniqueOpenedFile& file) {
  const OpenedFile open = file.Release();
  return open.system->Close(open.file);
}

}  // namespace swivex
