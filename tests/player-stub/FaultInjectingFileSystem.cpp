#include "tests/player-stub/FaultInjectingFileSystem.h"

#include <gtest/gtest.h>

namespace swivex::testing {

using file_errors::kNone;

FileError FaultInjectingFileSystem::Tracked(FileError error, FileHandle file) {
  if (error == kNone && !open_.insert(file).second)
    ADD_FAILURE() << "the system gave out file " << file << " twice";
  return error;
}

FileError FaultInjectingFileSystem::OwnPath(BoundedText& path) {
  return Fails("OwnPath") ? kInjectedError : inner_.OwnPath(path);
}

FileError FaultInjectingFileSystem::TempFolder(BoundedText& folder) {
  return Fails("TempFolder") ? kInjectedError : inner_.TempFolder(folder);
}

FileError FaultInjectingFileSystem::CreateFolder(const char* path) {
  return Fails("CreateFolder") ? kInjectedError : inner_.CreateFolder(path);
}

FileError FaultInjectingFileSystem::OpenForReading(const char* path, FileHandle& file) {
  if (Fails("OpenForReading")) return kInjectedError;
  const FileError error = inner_.OpenForReading(path, file);
  return Tracked(error, file);
}

FileError FaultInjectingFileSystem::OpenBelow(const char* folder, const char* relative,
                                              FileHandle& file) {
  if (Fails("OpenBelow")) return kInjectedError;
  const FileError error = inner_.OpenBelow(folder, relative, file);
  return Tracked(error, file);
}

FileError FaultInjectingFileSystem::CreateNewFile(const char* path, FileHandle& file) {
  if (Fails("CreateNewFile")) return kInjectedError;
  const FileError error = inner_.CreateNewFile(path, file);
  return Tracked(error, file);
}

FileError FaultInjectingFileSystem::FileSize(FileHandle file, std::uint64_t& size) {
  return Fails("FileSize") ? kInjectedError : inner_.FileSize(file, size);
}

FileError FaultInjectingFileSystem::Seek(FileHandle file, std::uint64_t offset) {
  return Fails("Seek") ? kInjectedError : inner_.Seek(file, offset);
}

FileError FaultInjectingFileSystem::Read(FileHandle file, void* buffer, std::uint32_t count,
                                         std::uint32_t& done) {
  done = 0;
  const std::optional<FaultKind> fault = plan_.TransferFault("Read", count);
  if (fault == FaultKind::Error) return kInjectedError;
  if (fault == FaultKind::NoTransfer) return kNone;
  return inner_.Read(
      file, buffer, fault ? static_cast<std::uint32_t>(FaultPlan::ShortCount(count)) : count, done);
}

FileError FaultInjectingFileSystem::Write(FileHandle file, const void* bytes, std::uint32_t count,
                                          std::uint32_t& done) {
  done = 0;
  const std::optional<FaultKind> fault = plan_.TransferFault("Write", count);
  if (fault == FaultKind::Error) return kInjectedError;
  if (fault == FaultKind::NoTransfer) return kNone;
  return inner_.Write(
      file, bytes, fault ? static_cast<std::uint32_t>(FaultPlan::ShortCount(count)) : count, done);
}

FileError FaultInjectingFileSystem::Flush(FileHandle file) {
  return Fails("Flush") ? kInjectedError : inner_.Flush(file);
}

FileError FaultInjectingFileSystem::Close(FileHandle file) {
  const bool fails = Fails("Close");
  if (open_.erase(file) == 0) ADD_FAILURE() << "the stub closed file " << file << ", not open";
  const FileError error = inner_.Close(file);
  return fails ? kInjectedError : error;
}

FileError FaultInjectingFileSystem::Rename(const char* from, const char* to) {
  return Fails("Rename") ? kInjectedError : inner_.Rename(from, to);
}

FileError FaultInjectingFileSystem::Delete(const char* path) {
  return Fails("Delete") ? kInjectedError : inner_.Delete(path);
}

void FaultInjectingFileSystem::AppendErrorText(BoundedText& text, FileError error) {
  inner_.AppendErrorText(text, error);
}

}  // namespace swivex::testing
