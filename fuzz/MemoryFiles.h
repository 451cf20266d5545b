#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace swivex::fuzzing {

using Bytes = std::vector<unsigned char>;

// Files held in memory, so that a fuzzer's run costs no system call. Names are text taken as
// they are, '/' separates folders, and every open is exclusive: a name that is open is not
// opened again, renamed, replaced or removed (the sharing violation of the system's files).
// Errors are the native build's numbers.
class MemoryFiles final : public Files {
 public:
  std::map<std::string, Bytes> files;
  // Reads and writes move at most this many bytes each, 0 for no limit: the short transfers
  // that the system's files may make.
  std::size_t largestTransfer = 0;

  std::size_t OpenFiles() const { return open_.size(); }

  FileResult OpenFileExclusive(const std::string& name) override;
  FileResult OpenWritableExclusive(const std::string& name) override;
  FileResult CreateNewFileExclusive(const std::string& name) override;
  TransferResult ReadFile(NativeFile file, void* buffer, std::size_t count) override;
  TransferResult WriteFile(NativeFile file, const void* buffer, std::size_t count) override;
  // Declined: the conversions then read and write, which is what the fuzzer follows.
  TransferResult CopyRange(NativeFile, NativeFile, std::size_t) override {
    return {0, errors::kNotSupported};
  }
  ErrorCode SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) override;
  SizeResult FileSize(NativeFile file) override;
  ErrorCode FlushFile(NativeFile file) override;
  ErrorCode AllowRunning(NativeFile file) override;
  ErrorCode CloseFile(NativeFile file) override;
  ErrorCode RemoveFile(const std::string& name) override;
  ErrorCode ReplaceExisting(const std::string& replaced, const std::string& replacement) override;
  ErrorCode RenameFile(const std::string& from, const std::string& to) override;
  PathResult FullPathName(const std::string& name) override { return {name, 0}; }
  PathResult ModuleFileName() override { return {"/program/Swivex.exe", 0}; }
  std::string SystemMessage(ErrorCode error) override;
  PathSyntax Syntax() override;

 private:
  struct OpenFile {
    std::string name;
    Bytes* bytes;  // in `files`, whose elements stay where they are
    std::uint64_t position = 0;
  };

  FileResult Open(const std::string& name);
  OpenFile* Find(NativeFile file);
  bool IsOpen(const std::string& name) const;
  std::size_t Limited(std::size_t count) const;

  std::map<NativeFile, OpenFile> open_;
  NativeFile next_ = 3;
};

}  // namespace swivex::fuzzing
