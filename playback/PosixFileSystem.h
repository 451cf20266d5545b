#pragma once

#include "playback/FileSystem.h"

namespace swivex {

// The files' system calls on Linux and other POSIX systems. A FileHandle is the file descriptor
// plus one, so that descriptor 0 is a file too. Errors are translated into the Windows codes
// that the logic tells apart; others keep their errno, marked as such, for their words.
class PosixFileSystem final : public FileSystem {
 public:
  FileError OwnPath(BoundedText& path) override;
  FileError TempFolder(BoundedText& folder) override;
  FileError CreateFolder(const char* path) override;
  FileError OpenForReading(const char* path, FileHandle& file) override;
  FileError OpenBelow(const char* folder, const char* relative, FileHandle& file) override;
  FileError CreateNewFile(const char* path, FileHandle& file) override;
  FileError FileSize(FileHandle file, std::uint64_t& size) override;
  FileError Seek(FileHandle file, std::uint64_t offset) override;
  FileError Read(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t& done) override;
  FileError Write(FileHandle file, const void* bytes, std::uint32_t count,
                  std::uint32_t& done) override;
  FileError Flush(FileHandle file) override;
  FileError Close(FileHandle file) override;
  FileError Rename(const char* from, const char* to) override;
  FileError Delete(const char* path) override;
  bool IsLeadByte(unsigned char byte) override;
  void AppendErrorText(BoundedText& text, FileError error) override;
};

}  // namespace swivex
