#pragma once

#include "platform/Files.h"

namespace swivex {

// The files of the system the program was built for: each operation is the ANSI Win32 call of
// the same purpose on Windows, the POSIX calls of the native build elsewhere.
class SystemFiles : public Files {
 public:
  FileResult CreateFileExclusive(const std::string& name) override;
  FileResult OpenFileExclusive(const std::string& name) override;
  TransferResult ReadFile(NativeFile file, void* buffer, std::size_t count) override;
  TransferResult WriteFile(NativeFile file, const void* buffer, std::size_t count) override;
  bool SeekFile(NativeFile file, std::int64_t offset, SeekOrigin origin) override;
  std::uint64_t FileSize(NativeFile file) override;
  void CloseFile(NativeFile file) override;
  bool RemoveFile(const std::string& name) override;
  std::string FullPathName(const std::string& name) override;
  std::string ModuleFileName() override;
  std::string SystemMessage(ErrorCode error) override;
  // "\\" and the ANSI code page's lead bytes on Windows; "/" and none elsewhere.
  PathSyntax Syntax() override;
};

}  // namespace swivex
