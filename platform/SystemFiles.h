#pragma once

#include "platform/Files.h"

namespace swivex {

// The files of the system the program was built for: each operation is the ANSI Win32 call of
// the same purpose on Windows, the POSIX calls of the native build elsewhere.
class SystemFiles : public Files {
 public:
  FileResult OpenFileExclusive(const std::string& name) override;
  FileResult OpenWritableExclusive(const std::string& name) override;
  FileResult CreateNewFileExclusive(const std::string& name) override;
  TransferResult ReadFile(NativeFile file, void* buffer, std::size_t count) override;
  TransferResult WriteFile(NativeFile file, const void* buffer, std::size_t count) override;
  // copy_file_range elsewhere; Windows has no such call for open files and always fails.
  TransferResult CopyRange(NativeFile from, NativeFile to, std::size_t count) override;
  ErrorCode SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) override;
  SizeResult FileSize(NativeFile file) override;
  ErrorCode FlushFile(NativeFile file) override;
  ErrorCode AllowRunning(NativeFile file) override;
  ErrorCode CloseFile(NativeFile file) override;
  ErrorCode RemoveFile(const std::string& name) override;
  ErrorCode ReplaceExisting(const std::string& replaced, const std::string& replacement) override;
  ErrorCode RenameFile(const std::string& from, const std::string& to) override;
  PathResult FullPathName(const std::string& name) override;
  PathResult ModuleFileName() override;
  std::string SystemMessage(ErrorCode error) override;
  // "\\" and the ANSI code page's lead bytes on Windows; "/" and none elsewhere.
  PathSyntax Syntax() override;
};

}  // namespace swivex
