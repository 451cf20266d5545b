#include "tests/injection/FaultInjectingPlatform.h"

#include <gtest/gtest.h>

#include <optional>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace swivex::testing {

ErrorCode InjectedError() {
#ifdef _WIN32
  return ERROR_IO_DEVICE;
#else
  return EIO;
#endif
}

FileResult FaultInjectingFiles::Opened(FileResult opened) {
  if (opened.file != kNoFile && !open_.insert(opened.file).second)
    ADD_FAILURE() << "the system gave out file " << opened.file << " twice";
  return opened;
}

FileResult FaultInjectingFiles::OpenFileExclusive(const std::string& name) {
  if (plan_.Fails("OpenFileExclusive")) return {kNoFile, InjectedError()};
  return Opened(inner_.OpenFileExclusive(name));
}

FileResult FaultInjectingFiles::OpenWritableExclusive(const std::string& name) {
  if (plan_.Fails("OpenWritableExclusive")) return {kNoFile, InjectedError()};
  return Opened(inner_.OpenWritableExclusive(name));
}

FileResult FaultInjectingFiles::CreateNewFileExclusive(const std::string& name) {
  if (plan_.Fails("CreateNewFileExclusive")) return {kNoFile, InjectedError()};
  return Opened(inner_.CreateNewFileExclusive(name));
}

TransferResult FaultInjectingFiles::ReadFile(NativeFile file, void* buffer, std::size_t count) {
  const std::optional<FaultKind> fault = plan_.TransferFault("ReadFile", count);
  if (fault == FaultKind::Error) return {0, InjectedError()};
  if (fault == FaultKind::NoTransfer) return {0, 0};
  return inner_.ReadFile(file, buffer, fault ? FaultPlan::ShortCount(count) : count);
}

TransferResult FaultInjectingFiles::WriteFile(NativeFile file, const void* buffer,
                                              std::size_t count) {
  const std::optional<FaultKind> fault = plan_.TransferFault("WriteFile", count);
  if (fault == FaultKind::Error) return {0, InjectedError()};
  if (fault == FaultKind::NoTransfer) return {0, 0};
  const TransferResult written =
      inner_.WriteFile(file, buffer, fault ? FaultPlan::ShortCount(count) : count);
  if (written.done != 0) unflushed_.insert(file);
  return written;
}

ErrorCode FaultInjectingFiles::SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) {
  return plan_.Fails("SeekFile") ? InjectedError() : inner_.SeekFile(file, offset, origin);
}

SizeResult FaultInjectingFiles::FileSize(NativeFile file) {
  if (plan_.Fails("FileSize")) return {0, InjectedError()};
  return inner_.FileSize(file);
}

ErrorCode FaultInjectingFiles::FlushFile(NativeFile file) {
  if (plan_.Fails("FlushFile")) return InjectedError();
  const ErrorCode error = inner_.FlushFile(file);
  if (error == 0) unflushed_.erase(file);
  return error;
}

ErrorCode FaultInjectingFiles::CloseFile(NativeFile file) {
  const bool fails = plan_.Fails("CloseFile");
  if (open_.erase(file) == 0) ADD_FAILURE() << "file " << file << " was closed, not open";
  closedUnflushed_ += unflushed_.erase(file);
  const ErrorCode error = inner_.CloseFile(file);
  return fails ? InjectedError() : error;
}

ErrorCode FaultInjectingFiles::RemoveFile(const std::string& name) {
  return plan_.Fails("RemoveFile") ? InjectedError() : inner_.RemoveFile(name);
}

ErrorCode FaultInjectingFiles::AllowRunning(NativeFile file) {
  return plan_.Fails("AllowRunning") ? InjectedError() : inner_.AllowRunning(file);
}

ErrorCode FaultInjectingFiles::ReplaceExisting(const std::string& replaced,
                                               const std::string& replacement) {
  if (plan_.Fails("ReplaceExisting")) return InjectedError();
  return inner_.ReplaceExisting(replaced, replacement);
}

ErrorCode FaultInjectingFiles::RenameFile(const std::string& from, const std::string& to) {
  return plan_.Fails("RenameFile") ? InjectedError() : inner_.RenameFile(from, to);
}

PathResult FaultInjectingFiles::FullPathName(const std::string& name) {
  if (plan_.Fails("FullPathName")) return {{}, InjectedError()};
  return inner_.FullPathName(name);
}

PathResult FaultInjectingFiles::ModuleFileName() {
  if (plan_.Fails("ModuleFileName")) return {{}, InjectedError()};
  return inner_.ModuleFileName();
}

KeyResult FaultInjectingRegistry::OpenCurrentUserKey(const std::string& subKey) {
  if (plan_.Fails("OpenCurrentUserKey")) return {kNoKey, InjectedError()};
  const KeyResult opened = inner_.OpenCurrentUserKey(subKey);
  if (opened.key != kNoKey && !open_.insert(opened.key).second)
    ADD_FAILURE() << "the registry gave out key " << opened.key << " twice";
  return opened;
}

ValueInfo FaultInjectingRegistry::QueryValueInfo(NativeKey key, const std::string& name) {
  if (plan_.Fails("QueryValueInfo")) return {0, 0, InjectedError()};
  return inner_.QueryValueInfo(key, name);
}

ErrorCode FaultInjectingRegistry::QueryValueData(NativeKey key, const std::string& name,
                                                 std::vector<unsigned char>& data) {
  return plan_.Fails("QueryValueData") ? InjectedError() : inner_.QueryValueData(key, name, data);
}

ErrorCode FaultInjectingRegistry::SetStringValue(NativeKey key, const std::string& name,
                                                 const std::string& text) {
  return plan_.Fails("SetStringValue") ? InjectedError() : inner_.SetStringValue(key, name, text);
}

void FaultInjectingRegistry::CloseKey(NativeKey key) {
  if (open_.erase(key) == 0) ADD_FAILURE() << "key " << key << " was closed, not open";
  inner_.CloseKey(key);
}

PathResult FaultInjectingDesktop::SystemDirectory() {
  if (plan_.Fails("SystemDirectory")) return {{}, InjectedError()};
  return inner_.SystemDirectory();
}

PathResult FaultInjectingDesktop::LocalAppDataDirectory() {
  if (plan_.Fails("LocalAppDataDirectory")) return {{}, InjectedError()};
  return inner_.LocalAppDataDirectory();
}

ErrorCode FaultInjectingDesktop::CreateFolder(const std::string& name) {
  return plan_.Fails("CreateFolder") ? InjectedError() : inner_.CreateFolder(name);
}

PathResult FaultInjectingDesktop::ShortPathName(const std::string& name) {
  if (plan_.Fails("ShortPathName")) return {{}, InjectedError()};
  return inner_.ShortPathName(name);
}

std::string FaultInjectingDesktop::CreateScratchFile(const std::string& folder, ErrorCode& error) {
  if (!plan_.Fails("CreateScratchFile")) return inner_.CreateScratchFile(folder, error);
  error = InjectedError();
  return {};
}

bool FaultInjectingDesktop::CopyFileOver(const std::string& from, const std::string& to,
                                         ErrorCode& error) {
  if (!plan_.Fails("CopyFileOver")) return inner_.CopyFileOver(from, to, error);
  error = InjectedError();
  return false;
}

bool FaultInjectingDesktop::MoveFileOver(const std::string& from, const std::string& to,
                                         ErrorCode& error) {
  if (!plan_.Fails("MoveFileOver")) return inner_.MoveFileOver(from, to, error);
  error = InjectedError();
  return false;
}

}  // namespace swivex::testing
