#pragma once

#include "platform/Platform.h"

namespace swivex {

// The platform of the native build, in which the logic is tested, sanitized and fuzzed.
class PosixPlatform : public Platform {
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
  bool IsLeadByte(unsigned char byte) override;
  char DirectorySeparator() override;

  std::string SystemDirectory() override;
  std::string CreateScratchFile(const std::string& folder, ErrorCode& error) override;
  bool CopyFileOver(const std::string& from, const std::string& to, ErrorCode& error) override;
  bool MoveFileOver(const std::string& from, const std::string& to, ErrorCode& error) override;
  bool FileExists(const std::string& name) override;
  KeyResult OpenCurrentUserKey(const std::string& subKey) override;
  ValueInfo QueryValueInfo(NativeKey key, const std::string& name) override;
  ErrorCode QueryValueData(NativeKey key, const std::string& name,
                           std::vector<unsigned char>& data) override;
  ErrorCode SetStringValue(NativeKey key, const std::string& name,
                           const std::string& text) override;
  void CloseKey(NativeKey key) override;
  void AnnounceScreenSaverChange() override;
  void StartCommandLine(const std::string& commandLine, int showMode) override;
};

}  // namespace swivex
