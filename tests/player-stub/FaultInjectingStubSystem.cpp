#include "tests/player-stub/FaultInjectingStubSystem.h"

#include <gtest/gtest.h>

namespace swivex::testing {

using stub_errors::kNone;

StubError FaultInjectingStubSystem::Tracked(StubError error, StubFile file) {
  if (error == kNone && !open_.insert(file).second)
    ADD_FAILURE() << "the system gave out file " << file << " twice";
  return error;
}

StubError FaultInjectingStubSystem::OwnPath(StubText& path) {
  return Fails("OwnPath") ? kInjectedError : inner_.OwnPath(path);
}

StubError FaultInjectingStubSystem::TempFolder(StubText& folder) {
  return Fails("TempFolder") ? kInjectedError : inner_.TempFolder(folder);
}

StubError FaultInjectingStubSystem::CreateFolder(const char* path) {
  return Fails("CreateFolder") ? kInjectedError : inner_.CreateFolder(path);
}

StubError FaultInjectingStubSystem::OpenForReading(const char* path, StubFile& file) {
  if (Fails("OpenForReading")) return kInjectedError;
  const StubError error = inner_.OpenForReading(path, file);
  return Tracked(error, file);
}

StubError FaultInjectingStubSystem::OpenBelow(const char* folder, const char* relative,
                                              StubFile& file) {
  if (Fails("OpenBelow")) return kInjectedError;
  const StubError error = inner_.OpenBelow(folder, relative, file);
  return Tracked(error, file);
}

StubError FaultInjectingStubSystem::CreateNewFile(const char* path, StubFile& file) {
  if (Fails("CreateNewFile")) return kInjectedError;
  const StubError error = inner_.CreateNewFile(path, file);
  return Tracked(error, file);
}

StubError FaultInjectingStubSystem::FileSize(StubFile file, std::uint64_t& size) {
  return Fails("FileSize") ? kInjectedError : inner_.FileSize(file, size);
}

StubError FaultInjectingStubSystem::Seek(StubFile file, std::uint64_t offset) {
  return Fails("Seek") ? kInjectedError : inner_.Seek(file, offset);
}

StubError FaultInjectingStubSystem::Read(StubFile file, void* buffer, std::uint32_t count,
                                         std::uint32_t& done) {
  done = 0;
  const std::optional<FaultKind> fault = plan_.TransferFault("Read", count);
  if (fault == FaultKind::Error) return kInjectedError;
  if (fault == FaultKind::NoTransfer) return kNone;
  return inner_.Read(
      file, buffer, fault ? static_cast<std::uint32_t>(FaultPlan::ShortCount(count)) : count, done);
}

StubError FaultInjectingStubSystem::Write(StubFile file, const void* bytes, std::uint32_t count,
                                          std::uint32_t& done) {
  done = 0;
  const std::optional<FaultKind> fault = plan_.TransferFault("Write", count);
  if (fault == FaultKind::Error) return kInjectedError;
  if (fault == FaultKind::NoTransfer) return kNone;
  return inner_.Write(
      file, bytes, fault ? static_cast<std::uint32_t>(FaultPlan::ShortCount(count)) : count, done);
}

StubError FaultInjectingStubSystem::Flush(StubFile file) {
  return Fails("Flush") ? kInjectedError : inner_.Flush(file);
}

StubError FaultInjectingStubSystem::Close(StubFile file) {
  const bool fails = Fails("Close");
  if (open_.erase(file) == 0) ADD_FAILURE() << "the stub closed file " << file << ", not open";
  const StubError error = inner_.Close(file);
  return fails ? kInjectedError : error;
}

StubError FaultInjectingStubSystem::Rename(const char* from, const char* to) {
  return Fails("Rename") ? kInjectedError : inner_.Rename(from, to);
}

StubError FaultInjectingStubSystem::Delete(const char* path) {
  return Fails("Delete") ? kInjectedError : inner_.Delete(path);
}

void FaultInjectingStubSystem::AppendErrorText(StubText& text, StubError error) {
  inner_.AppendErrorText(text, error);
}

}  // namespace swivex::testing
