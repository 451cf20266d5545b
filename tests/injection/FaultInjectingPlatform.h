#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "tests/support/FaultPlan.h"

namespace swivex::testing {

// What an injected error reports: a fault of the device (ERROR_IO_DEVICE on Windows, EIO
// elsewhere), which no operation has a reason to take for anything but a failure.
ErrorCode InjectedError();

// The wrappers below pass every call on to another implementation and record each call that can
// fail in one FaultPlan, which makes the call it names fail: with InjectedError() and nothing
// done, or for reads and writes with a short transfer or none. Calls that cannot fail (the
// system's message texts, an announcement) pass through unrecorded.

// Also keeps track of the open files, and of those closed with writes that were never flushed
// to the disk. A failing close still closes the file, as CloseHandle and close() do when they
// report an error.
class FaultInjectingFiles final : public Files {
 public:
  FaultInjectingFiles(Files& inner, FaultPlan& plan) : inner_(inner), plan_(plan) {}

  std::size_t OpenFiles() const { return open_.size(); }
  std::size_t ClosedUnflushed() const { return closedUnflushed_; }

  FileResult OpenFileExclusive(const std::string& name) override;
  FileResult OpenWritableExclusive(const std::string& name) override;
  FileResult CreateNewFileExclusive(const std::string& name) override;
  TransferResult ReadFile(NativeFile file, void* buffer, std::size_t count) override;
  TransferResult WriteFile(NativeFile file, const void* buffer, std::size_t count) override;
  // Declined, as Windows declines it, so that a sweep meets the same reads and writes on every
  // system; the projector tests make the system copy itself fail.
  TransferResult CopyRange(NativeFile, NativeFile, std::size_t) override {
    return {0, errors::kNotSupported};
  }
  ErrorCode SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) override;
  SizeResult FileSize(NativeFile file) override;
  ErrorCode FlushFile(NativeFile file) override;
  ErrorCode CloseFile(NativeFile file) override;
  ErrorCode RemoveFile(const std::string& name) override;
  ErrorCode AllowRunning(NativeFile file) override;
  ErrorCode ReplaceExisting(const std::string& replaced, const std::string& replacement) override;
  ErrorCode RenameFile(const std::string& from, const std::string& to) override;
  PathResult FullPathName(const std::string& name) override;
  PathResult ModuleFileName() override;
  std::string SystemMessage(ErrorCode error) override { return inner_.SystemMessage(error); }
  PathSyntax Syntax() override { return inner_.Syntax(); }

 private:
  FileResult Opened(FileResult opened);

  Files& inner_;
  FaultPlan& plan_;
  std::set<NativeFile> open_;
  std::set<NativeFile> unflushed_;  // written to since their last flush
  std::size_t closedUnflushed_ = 0;
};

// Also keeps track of the open keys.
class FaultInjectingRegistry final : public Registry {
 public:
  FaultInjectingRegistry(Registry& inner, FaultPlan& plan) : inner_(inner), plan_(plan) {}

  std::size_t OpenKeys() const { return open_.size(); }

  KeyResult OpenCurrentUserKey(const std::string& subKey) override;
  ValueInfo QueryValueInfo(NativeKey key, const std::string& name) override;
  ErrorCode QueryValueData(NativeKey key, const std::string& name,
                           std::vector<unsigned char>& data) override;
  ErrorCode SetStringValue(NativeKey key, const std::string& name,
                           const std::string& text) override;
  void CloseKey(NativeKey key) override;

 private:
  Registry& inner_;
  FaultPlan& plan_;
  std::set<NativeKey> open_;
};

// FileExists passes through unrecorded too: it has no failure to report, a failing test of a
// name is the answer "no such file".
class FaultInjectingDesktop final : public Desktop {
 public:
  FaultInjectingDesktop(Desktop& inner, FaultPlan& plan) : inner_(inner), plan_(plan) {}

  PathResult SystemDirectory() override;
  PathResult LocalAppDataDirectory() override;
  ErrorCode CreateFolder(const std::string& name) override;
  PathResult ShortPathName(const std::string& name) override;
  std::string CreateScratchFile(const std::string& folder, ErrorCode& error) override;
  bool CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) override;
  bool MoveFileOver(const std::string& from, const std::string& to, ErrorCode& error) override;
  bool FileExists(const std::string& name) override { return inner_.FileExists(name); }
  void AnnounceScreenSaverChange() override { inner_.AnnounceScreenSaverChange(); }
  void StartCommandLine(const std::string& commandLine, int showMode) override {
    inner_.StartCommandLine(commandLine, showMode);
  }

 private:
  Desktop& inner_;
  FaultPlan& plan_;
};

}  // namespace swivex::testing
